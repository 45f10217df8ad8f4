#include "search_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

namespace varko::maintree {
namespace {

using testing::FindBarFixture;

struct TypingCase {
    const char* name;
    SearchOptions options;
    const char* text;
    int caret;
    const char* typed;
    TextSpan selected;
    const char* status;
};

const TypingCase kTypingCases[] = {
    {"first match after the caret", {}, "alpha beta alpha beta", 3, "alpha", {11, 5}, "2 of 2 matches"},
    {"a match at the caret", {}, "alpha beta alpha beta", 11, "alpha", {11, 5}, "2 of 2 matches"},
    {"wraps to the start", {}, "alpha beta alpha beta", 15, "alpha", {0, 5}, "1 of 2 matches"},
    {"nothing found leaves the caret", {}, "alpha beta", 3, "gamma", {3, 0}, "No matches"},
    {"match case", {true, false, false}, "Beta beta", 0, "beta", {5, 4}, "1 of 1 matches"},
    {"whole words", {false, true, false}, "betas beta", 0, "beta", {6, 4}, "1 of 1 matches"},
    {"regular expression", {false, false, true}, "v1 v22 v333", 0, "v\\d\\d+", {3, 3}, "1 of 2 matches"},
};

TEST_F(FindBarFixture, TypingSelectsTheFirstMatchFromTheCaret) {
    for (const TypingCase& row : kTypingCases) {
        SCOPED_TRACE(row.name);
        SetText(QString::fromLatin1(row.text));
        SetSelection(row.caret, row.caret);
        m_bar->Controls().findEdit->clear();
        m_bar->OpenFind();
        SetOptions(row.options.matchCase, row.options.wholeWords, row.options.regularExpression);
        TypeSearch(QString::fromLatin1(row.typed));
        EXPECT_EQ(Selection(), row.selected);
        EXPECT_TRUE(WaitForStatus(QString::fromLatin1(row.status))) << Status().toStdString();
    }
}

TEST_F(FindBarFixture, ReturnFindsNextAndShiftReturnPrevious) {
    SetText(QStringLiteral("alpha beta alpha beta"));
    m_bar->OpenFind();
    TypeSearch(QStringLiteral("beta"));
    ASSERT_EQ(Selection(), (TextSpan{6, 4}));
    QLineEdit* field = m_bar->Controls().findEdit;
    const struct {
        Qt::KeyboardModifiers modifiers;
        TextSpan selected;
        const char* status;
    } steps[] = {{Qt::NoModifier, {17, 4}, "2 of 2 matches"},
                 {Qt::NoModifier, {6, 4}, "1 of 2 matches"},
                 {Qt::ShiftModifier, {17, 4}, "2 of 2 matches"},
                 {Qt::ShiftModifier, {6, 4}, "1 of 2 matches"}};
    for (const auto& step : steps) {
        QTest::keyClick(field, Qt::Key_Return, step.modifiers);
        EXPECT_EQ(Selection(), step.selected);
        EXPECT_TRUE(WaitForStatus(QString::fromLatin1(step.status))) << Status().toStdString();
    }
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(FindBarFixture, BadRegularExpressionIsShownInTheBar) {
    SetText(QStringLiteral("a(b) a(b)"));
    m_bar->OpenFind();
    SetOptions(false, false, true);
    TypeSearch(QStringLiteral("a("));
    EXPECT_EQ(Status(),
              QStringLiteral("Invalid regular expression: ") + QRegularExpression("a(").errorString());
    const TextSpan before = Selection();
    QTest::keyClick(m_bar->Controls().findEdit, Qt::Key_Return);
    QTest::keyClick(m_bar->Controls().findEdit, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), before);
    QTest::keyClick(m_bar->Controls().findEdit, Qt::Key_Backspace);
    TypeSearch(QStringLiteral("\\(b\\)"));
    EXPECT_EQ(Selection(), (TextSpan{0, 4}));
    EXPECT_TRUE(WaitForStatus(QStringLiteral("1 of 2 matches"))) << Status().toStdString();
}

TEST_F(FindBarFixture, EmptySearchShowsNothingAndFindsNothing) {
    SetText(QStringLiteral("alpha"));
    SetSelection(2, 2);
    m_bar->OpenFind();
    TypeSearch(QStringLiteral("a"));
    ASSERT_EQ(Selection(), (TextSpan{4, 1}));
    QTest::keyClick(m_bar->Controls().findEdit, Qt::Key_Backspace);
    EXPECT_EQ(Status(), QString());
    QTest::mouseClick(m_bar->Controls().findNext, Qt::LeftButton);
    QTest::mouseClick(m_bar->Controls().findPrevious, Qt::LeftButton);
    EXPECT_EQ(Selection(), (TextSpan{4, 1}));
    EXPECT_EQ(Status(), QString());
}

struct ReplaceCase {
    const char* name;
    const char* text;
    TextSpan selection;
    const char* pattern;
    const char* replacement;
    const char* after;
    TextSpan selected;
};

const ReplaceCase kReplaceCases[] = {
    {"replaces the match and selects the next", "cat dog cat", {0, 3}, "cat", "cow", "cow dog cat", {8, 3}},
    {"the last match leaves its replacement selected", "cat dog", {0, 3}, "cat", "cow", "cow dog", {0, 3}},
    {"a replacement holding the match is passed over", "a b a", {0, 1}, "a", "aa", "aa b a", {5, 1}},
    {"a selection that is no match only finds the next",
     "cat dog cat",
     {4, 3},
     "cat",
     "cow",
     "cat dog cat",
     {8, 3}},
};

TEST_F(FindBarFixture, ReplaceChangesTheSelectedMatchAndMovesOn) {
    for (const ReplaceCase& row : kReplaceCases) {
        SCOPED_TRACE(row.name);
        OpenReplacing(row.text, row.pattern, row.replacement);
        SetSelection(row.selection.start, row.selection.End());
        QTest::mouseClick(m_bar->Controls().replace, Qt::LeftButton);
        EXPECT_EQ(m_editor->toPlainText(), QString::fromLatin1(row.after));
        EXPECT_EQ(Selection(), row.selected);
    }
}

TEST_F(FindBarFixture, ReturnInTheReplaceFieldReplaces) {
    OpenReplacing("cat dog cat", "cat", "cow");
    m_bar->Controls().replaceEdit->setFocus();
    SetSelection(0, 3);
    QTest::keyClick(m_bar->Controls().replaceEdit, Qt::Key_Return);
    EXPECT_EQ(m_editor->toPlainText(), QStringLiteral("cow dog cat"));
    EXPECT_EQ(Selection(), (TextSpan{8, 3}));
    EXPECT_TRUE(m_bar->Controls().replaceEdit->hasFocus());
}

struct ReplaceAllCase {
    const char* name;
    const char* text;
    const char* pattern;
    SearchOptions options;
    const char* replacement;
    const char* after;
    const char* status;
};

const ReplaceAllCase kReplaceAllCases[] = {
    {"plain text", "cat Cat CAT", "cat", {}, "dog", "dog dog dog", "Replaced 3 matches"},
    {"match case", "cat Cat CAT", "cat", {true, false, false}, "dog", "dog Cat CAT", "Replaced 1 matches"},
    {"whole words", "cat cats cat", "cat", {false, true, false}, "dog", "dog cats dog", "Replaced 2 matches"},
    {"captures",
     "a=1\nb=2",
     "(\\w)=(\\d)",
     {false, false, true},
     "\\2=\\1",
     "1=a\n2=b",
     "Replaced 2 matches"},
    {"a line break in the replacement",
     "a,b",
     ",",
     {false, false, true},
     "\\n",
     "a\nb",
     "Replaced 1 matches"},
    {"empty matches at line starts",
     "a\nb",
     "^",
     {false, false, true},
     "# ",
     "# a\n# b",
     "Replaced 2 matches"},
    {"empty matches between characters",
     "ab",
     "x*",
     {false, false, true},
     "-",
     "-a-b-",
     "Replaced 3 matches"},
    {"replacement shorter and longer",
     "aXbXXc",
     "X+",
     {false, false, true},
     "<\\0>",
     "a<X>b<XX>c",
     "Replaced 2 matches"},
    {"nothing found", "abc", "z", {}, "y", "abc", "Replaced 0 matches"},
};

TEST_F(FindBarFixture, ReplaceAllIsOneUndoStep) {
    for (const ReplaceAllCase& row : kReplaceAllCases) {
        SCOPED_TRACE(row.name);
        const QString before = QString::fromLatin1(row.text);
        SetOptions(row.options.matchCase, row.options.wholeWords, row.options.regularExpression);
        OpenReplacing(row.text, row.pattern, row.replacement);
        QTest::mouseClick(m_bar->Controls().replaceAll, Qt::LeftButton);
        EXPECT_EQ(m_editor->toPlainText(), QString::fromLatin1(row.after));
        EXPECT_EQ(m_editor->document()->blockCount(), QString::fromLatin1(row.after).count('\n') + 1);
        EXPECT_EQ(Status(), QString::fromLatin1(row.status));
        if (before == QString::fromLatin1(row.after))
            continue;
        m_editor->undo();
        EXPECT_EQ(m_editor->toPlainText(), before);
        EXPECT_FALSE(m_editor->document()->isUndoAvailable());
    }
}

struct PrefillCase {
    const char* name;
    int anchor;
    int position;
    const char* field;
};

// The field holds "old" before each opening; the text is "alpha beta\ngamma".
const PrefillCase kPrefillCases[] = {
    {"a selection within a line", 6, 10, "beta"},
    {"a selection made backwards", 10, 6, "beta"},
    {"a selection over two lines keeps the old text", 8, 13, "old"},
    {"no selection keeps the old text", 3, 3, "old"},
};

TEST_F(FindBarFixture, OpeningTakesTheSelectedText) {
    SetText(QStringLiteral("alpha beta\ngamma"));
    for (const bool replacing : {false, true}) {
        for (const PrefillCase& row : kPrefillCases) {
            SCOPED_TRACE(std::string(row.name) + (replacing ? " (replace)" : " (find)"));
            m_bar->Close();
            m_bar->Controls().findEdit->setText(QStringLiteral("old"));
            SetSelection(row.anchor, row.position);
            replacing ? m_bar->OpenReplace() : m_bar->OpenFind();
            QLineEdit* field = m_bar->Controls().findEdit;
            EXPECT_EQ(field->text(), QString::fromLatin1(row.field));
            EXPECT_EQ(field->selectedText(), field->text());
            EXPECT_TRUE(field->hasFocus());
            EXPECT_EQ(m_bar->Controls().replaceEdit->isVisible(), replacing);
        }
    }
}

TEST_F(FindBarFixture, CountFollowsEditsAndTheCaret) {
    SetText(QStringLiteral("beta alpha beta"));
    m_bar->OpenFind();
    TypeSearch(QStringLiteral("beta"));
    ASSERT_TRUE(WaitForStatus(QStringLiteral("1 of 2 matches"))) << Status().toStdString();
    QTextCursor end(m_editor->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral(" beta"));
    EXPECT_TRUE(WaitForStatus(QStringLiteral("1 of 3 matches"))) << Status().toStdString();
    SetSelection(5, 5);
    EXPECT_EQ(Status(), QStringLiteral("3 matches"));
}

TEST_F(FindBarFixture, EscapeAnywhereInTheBarClosesIt) {
    const auto controls = [this] {
        const FindBarControls& c = m_bar->Controls();
        return std::vector<std::pair<const char*, QWidget*>>{{"find field", c.findEdit},
                                                             {"replace field", c.replaceEdit},
                                                             {"match case", c.matchCase},
                                                             {"whole words", c.wholeWords},
                                                             {"regular expression", c.regularExpression},
                                                             {"find next", c.findNext},
                                                             {"find previous", c.findPrevious},
                                                             {"replace", c.replace},
                                                             {"replace all", c.replaceAll},
                                                             {"close", c.close}};
    }();
    for (const auto& [name, control] : controls) {
        SCOPED_TRACE(name);
        m_bar->OpenReplace();
        control->setFocus();
        ASSERT_TRUE(control->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(m_bar->isVisible());
        EXPECT_TRUE(m_editor->hasFocus());
    }
    m_bar->OpenFind();
    QTest::mouseClick(m_bar->Controls().close, Qt::LeftButton);
    EXPECT_FALSE(m_bar->isVisible());
    EXPECT_TRUE(m_editor->hasFocus());
}

TEST_F(FindBarFixture, FindNextWithTheBarClosedShowsItOnlyWhenNothingIsFound) {
    SetText(QStringLiteral("one two one"));
    m_bar->Controls().findEdit->setText(QStringLiteral("one"));
    m_bar->FindNext();
    EXPECT_EQ(Selection(), (TextSpan{0, 3}));
    m_bar->FindPrevious();
    EXPECT_EQ(Selection(), (TextSpan{8, 3}));
    EXPECT_FALSE(m_bar->isVisible());
    m_bar->Controls().findEdit->setText(QStringLiteral("three"));
    m_bar->FindNext();
    EXPECT_TRUE(m_bar->isVisible());
    EXPECT_TRUE(m_editor->hasFocus());
    EXPECT_EQ(Status(), QStringLiteral("No matches"));
}

} // namespace
} // namespace varko::maintree
