#include "search_fixture.h"
#include "varko/maintree/search/go_to_line_dialog.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <optional>

namespace varko::maintree {
namespace {

using testing::FindBarFixture;

struct NumberCase {
    const char* typed;
    std::optional<int> line;
};

// Of 120 lines.
const NumberCase kNumberCases[] = {
    {"1", 1},
    {"120", 120},
    {" 60 ", 60},
    {"007", 7},
    {"0", std::nullopt},
    {"-1", std::nullopt},
    {"121", std::nullopt},
    {"99999999", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"abc", std::nullopt},
    {"", std::nullopt},
    {"1.5", std::nullopt},
    {"12a", std::nullopt},
};

TEST(GoToLine, OnlyNumbersOfExistingLinesAreTaken) {
    for (const NumberCase& row : kNumberCases) {
        SCOPED_TRACE(row.typed);
        EXPECT_EQ(ParseLineNumber(QString::fromLatin1(row.typed), 120), row.line);
    }
}

TEST(GoToLine, ALastEmptyLineIsNoTextLine) {
    const struct {
        const char* text;
        int lines;
    } rows[] = {{"", 1}, {"a", 1}, {"a\n", 1}, {"a\nb", 2}, {"a\nb\n", 2}, {"\n\n", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        QTextDocument document(QString::fromLatin1(row.text));
        EXPECT_EQ(TextLineCount(document), row.lines);
    }
}

class GoToLineDialogTest : public FindBarFixture {
protected:
    void SetUp() override {
        FindBarFixture::SetUp();
        QStringList lines;
        for (int line = 1; line <= 120; ++line)
            lines << QStringLiteral("line %1 = value").arg(line);
        SetText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        SetSelection(20, 22);
        m_dialog = OpenGoToLine(*m_editor);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog));
    }
    void Press(QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(m_dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }
    QPointer<GoToLineDialog> m_dialog;
};

struct DialogCase {
    const char* typed;
    int line; // 0: refused
};

const DialogCase kDialogCases[] = {
    {"0", 0}, {"-1", 0}, {"99999999", 0}, {"abc", 0}, {"", 0}, {"120", 120}, {"1", 1}, {"61", 61},
};

TEST_F(GoToLineDialogTest, RefusesWhatIsNoLineAndGoesToWhatIs) {
    for (const DialogCase& row : kDialogCases) {
        SCOPED_TRACE(row.typed);
        if (!m_dialog)
            m_dialog = OpenGoToLine(*m_editor);
        SetSelection(20, 22);
        m_dialog->LineField()->setText(QString::fromLatin1(row.typed));
        Press(QDialogButtonBox::Ok);
        if (row.line == 0) {
            EXPECT_TRUE(m_dialog->isVisible());
            EXPECT_EQ(m_dialog->Message(), QStringLiteral("Enter a line number from 1 to 120."));
            EXPECT_EQ(Selection(), (TextSpan{20, 2}));
            continue;
        }
        EXPECT_FALSE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
        const QTextBlock block = m_editor->document()->findBlockByNumber(row.line - 1);
        EXPECT_EQ(Selection(), (TextSpan{block.position(), 0}));
        EXPECT_TRUE(m_editor->viewport()->rect().contains(m_editor->cursorRect()));
        // It closed, and deletes itself.
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_dialog.isNull(); }, 2000));
    }
}

TEST_F(GoToLineDialogTest, CancelChangesNothing) {
    m_dialog->LineField()->setText(QStringLiteral("100"));
    Press(QDialogButtonBox::Cancel);
    EXPECT_EQ(Selection(), (TextSpan{20, 2}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_dialog.isNull(); }, 2000));
}

TEST_F(GoToLineDialogTest, NamedForScreenReaders) {
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Go to Line"));
    // The field starts with the caret's line (position 20 is on line 2), ready to be typed over.
    EXPECT_EQ(m_dialog->LineField()->text(), QStringLiteral("2"));
    EXPECT_EQ(m_dialog->LineField()->selectedText(), QStringLiteral("2"));
    const auto* buttons = m_dialog->findChild<QDialogButtonBox*>();
    const std::pair<QWidget*, const char*> controls[] = {
        {m_dialog->LineField(), "Line number"},
        {buttons->button(QDialogButtonBox::Ok), "OK"},
        {buttons->button(QDialogButtonBox::Cancel), "Cancel"}};
    for (const auto& [control, name] : controls)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                  QString::fromLatin1(name));
}

} // namespace
} // namespace varko::maintree
