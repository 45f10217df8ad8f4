#include "varko/maintree/checkrun/message_list.h"
#include "varko/maintree/editor/editor_pane.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace varko::maintree {

namespace {

class MessageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_editor = new EditorPane(&m_host);
        m_list = new QListWidget(&m_host);
        m_other = new QWidget(&m_host);
        m_other->setFocusPolicy(Qt::StrongFocus);
        auto* column = new QVBoxLayout(&m_host);
        column->addWidget(m_editor);
        column->addWidget(m_list);
        column->addWidget(m_other);
        m_host.resize(300, 300);
        // Line 2 is long enough to wrap over several display lines.
        m_editor->setPlainText(
            QStringLiteral("first = 1\n%1\nthird = 3\n").arg(QString(400, QLatin1Char('w'))));
        m_editor->setWordWrap(true);
        AddMessage(QStringLiteral("Line 2: Error - Unknown command: www"), 2);
        AddMessage(QStringLiteral("Line 9: Error - the line has gone"), 9);
        AddMessage(QStringLiteral("Line 3: Error - Unknown command: third = 3"), 3);
        m_other->setFocus();
        m_editor->setSelStart(4);
        m_messages = std::make_unique<MessageList>(m_list, m_editor);
    }

    // As a check run adds its messages: the line is the item's data.
    void AddMessage(const QString& text, const QVariant& line) {
        auto* item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, line);
        m_list->addItem(item);
    }
    QString Selected() const { return m_editor->textCursor().selectedText(); }

    QWidget m_host;
    EditorPane* m_editor = nullptr;
    QListWidget* m_list = nullptr;
    QWidget* m_other = nullptr;
    std::unique_ptr<MessageList> m_messages;
};

TEST_F(MessageListTest, SelectsTheWholeTextLineAndFocusesTheEditor) {
    const struct {
        int row;
        int lineIndex;
    } rows[] = {{0, 1}, {2, 2}};
    for (const auto& row : rows) {
        m_other->setFocus();
        m_list->setCurrentRow(row.row);
        m_messages->goToMessageLine();
        EXPECT_EQ(m_editor->selStart(), m_editor->startOfLine(row.lineIndex)) << row.row;
        EXPECT_EQ(Selected(), m_editor->lineText(row.lineIndex)) << row.row;
        EXPECT_EQ(m_host.focusWidget(), m_editor) << row.row;
    }
}

TEST_F(MessageListTest, TheLineComesFromTheItemNotItsText) {
    const struct {
        const char* name;
        QVariant line;
        QString selected;
    } rows[] = {{"data names line 1", 1, QStringLiteral("first = 1")},
                {"data names line 3", 3, QStringLiteral("third = 3")},
                {"no data", QVariant(), QString()},
                {"data not a number", QStringLiteral("x"), QString()},
                {"line 0", 0, QString()}};
    for (const auto& row : rows) {
        m_list->clear();
        AddMessage(QStringLiteral("Line 2: Error - Unknown command: www"), row.line);
        m_editor->setSelStart(4);
        m_list->setCurrentRow(0);
        m_messages->goToMessageLine();
        EXPECT_EQ(Selected(), row.selected) << row.name;
    }
}

TEST_F(MessageListTest, DoubleClickOnAMessageGoesToItsLine) {
    m_host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    QSignalSpy clicks(m_messages.get(), &MessageList::activated);
    const QRect item = m_list->visualItemRect(m_list->item(2));
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(Selected(), QStringLiteral("third = 3"));
}

// Keyboard and screen-reader users go to a message's line with Return or Enter.
TEST_F(MessageListTest, ReturnOnAMessageGoesToItsLine) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        QString selected;
    } rows[] = {{Qt::Key_Return, Qt::NoModifier, 2, QStringLiteral("third = 3")},
                {Qt::Key_Enter, Qt::NoModifier, 0, QString(400, QLatin1Char('w'))},
                {Qt::Key_Return, Qt::ControlModifier, 2, QString()}};
    for (const auto& row : rows) {
        m_editor->setSelStart(4);
        m_list->setCurrentRow(row.row);
        QTest::keyClick(m_list, row.key, row.modifiers);
        EXPECT_EQ(Selected(), row.selected) << row.key << " on row " << row.row;
    }
}

TEST_F(MessageListTest, NothingHappensWithoutASelectedMessageOrAnExistingLine) {
    const struct {
        const char* name;
        int row;
        bool deselect;
    } rows[] = {{"no message selected", -1, false},
                {"current message not selected", 0, true},
                {"line past the end", 1, false}};
    for (const auto& row : rows) {
        m_other->setFocus();
        m_editor->setSelStart(4);
        m_list->setCurrentRow(row.row);
        if (row.deselect)
            m_list->clearSelection();
        m_messages->goToMessageLine();
        EXPECT_EQ(m_editor->selStart(), 4) << row.name;
        EXPECT_EQ(Selected(), QString()) << row.name;
        EXPECT_EQ(m_host.focusWidget(), m_other) << row.name;
    }
}

} // namespace

} // namespace varko::maintree
