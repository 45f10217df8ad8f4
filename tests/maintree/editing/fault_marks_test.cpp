#include "editor_fixture.h"
#include "qstring_printer.h"

#include <QTest>

#include <functional>

namespace varko::maintree {
namespace {

using testing::EditorFixture;
using testing::FindingAt;
using testing::MessageOf;
using testing::NumberedLines;
using testing::Replace;

const QString kMarkedText = QStringLiteral("a = 1\n"
                                           "\n"
                                           "bad1 = x\n"
                                           "c = 3\n"
                                           "bad2 = missing.odf\n"
                                           "e = 5");
// Line 3 as a whole, and the file name on line 5.
const std::vector<compiler::Finding> kMarkedFindings = {
    FindingAt(3, 1, "M1", {"bad1"}),
    FindingAt(5, 8, "M3", {"missing.odf"}),
};

struct EditCase {
    const char* name;
    std::function<void(QTextDocument&)> edit;
    // Marked line, and the index of the finding whose message it shows.
    std::vector<std::pair<int, int>> marks;
};

int Start(QTextDocument& document, int line) {
    return document.findBlockByNumber(line - 1).position();
}

const EditCase kEditCases[] = {
    {"nothing edited", [](QTextDocument&) {}, {{3, 0}, {5, 1}}},
    {"a line typed above", [](QTextDocument& d) { Replace(d, 0, 0, "new = 0\n"); }, {{4, 0}, {6, 1}}},
    {"line break at the start of a marked line",
     [](QTextDocument& d) { Replace(d, Start(d, 3), Start(d, 3), "\n"); },
     {{4, 0}, {6, 1}}},
    {"line break at the end of a marked line",
     [](QTextDocument& d) { Replace(d, Start(d, 4) - 1, Start(d, 4) - 1, "\n"); },
     {{3, 0}, {6, 1}}},
    {"lines pasted above", [](QTextDocument& d) { Replace(d, 0, 0, "x\ny\n"); }, {{5, 0}, {7, 1}}},
    {"text typed inside a marked line",
     [](QTextDocument& d) { Replace(d, Start(d, 3) + 2, Start(d, 3) + 2, "zz"); },
     {{3, 0}, {5, 1}}},
    {"a line removed above", [](QTextDocument& d) { Replace(d, 0, Start(d, 2), ""); }, {{2, 0}, {4, 1}}},
    {"the empty line above joined by Delete",
     [](QTextDocument& d) { QTextCursor(d.findBlockByNumber(1)).deleteChar(); },
     {{2, 0}, {4, 1}}},
    {"a marked line joined to the one above by Backspace",
     [](QTextDocument& d) { QTextCursor(d.findBlockByNumber(2)).deletePreviousChar(); },
     {{2, 0}, {4, 1}}},
    {"the marked line removed", [](QTextDocument& d) { Replace(d, Start(d, 3), Start(d, 4), ""); }, {{4, 1}}},
    {"the marked line's text deleted",
     [](QTextDocument& d) { Replace(d, Start(d, 3), Start(d, 4) - 1, ""); },
     {{5, 1}}},
    {"the marked file name deleted",
     [](QTextDocument& d) { Replace(d, Start(d, 5) + 7, Start(d, 6) - 1, ""); },
     {{3, 0}}},
    {"part of the marked file name deleted",
     [](QTextDocument& d) { Replace(d, Start(d, 5) + 7, Start(d, 5) + 11, ""); },
     {{3, 0}, {5, 1}}},
    {"lines 3 to 5 removed", [](QTextDocument& d) { Replace(d, Start(d, 3), Start(d, 6), ""); }, {}},
    {"a marked line removed, then brought back by undo",
     [](QTextDocument& d) {
         Replace(d, Start(d, 3), Start(d, 4), "");
         d.undo();
     },
     {{5, 1}}},
};

class FaultMarking : public EditorFixture {
protected:
    void ExpectMarks(const std::vector<std::pair<int, int>>& expected,
                     const std::vector<compiler::Finding>& findings) {
        std::vector<int> lines;
        for (const auto& [line, finding] : expected) {
            lines.push_back(line);
            EXPECT_EQ(m_editor.faultTextOf(Block(line)), MessageOf(findings[finding])) << "line " << line;
        }
        EXPECT_EQ(MarkedLines(), lines);
    }
};

TEST_F(FaultMarking, MarksFollowTheirLinesThroughEdits) {
    for (const EditCase& row : kEditCases) {
        SCOPED_TRACE(row.name);
        Load(kMarkedText);
        m_editor.setFindings(kMarkedFindings);
        row.edit(*m_editor.document());
        ExpectMarks(row.marks, kMarkedFindings);
    }
}

TEST_F(FaultMarking, MarksFollowTypedLineBreaks) {
    Load(kMarkedText);
    m_editor.setFindings(kMarkedFindings);
    m_editor.setFocus();
    PutCaret(3);
    QTest::keyClick(&m_editor, Qt::Key_Return);
    ExpectMarks({{4, 0}, {6, 1}}, kMarkedFindings);
    QTest::keyClick(&m_editor, Qt::Key_Backspace);
    ExpectMarks({{3, 0}, {5, 1}}, kMarkedFindings);
    QTest::keyClick(&m_editor, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&m_editor, Qt::Key_Delete);
    ExpectMarks({{4, 1}}, kMarkedFindings);
}

TEST_F(FaultMarking, NextFindingsReplaceTheMarks) {
    Load(kMarkedText);
    m_editor.setFindings(kMarkedFindings);
    const std::vector<compiler::Finding> next = {FindingAt(1, 1, "M1", {"a"}), FindingAt(0, 1, "M1", {"x"}),
                                                 FindingAt(7, 1, "M1", {"y"}), FindingAt(6, 1, "M1", {"e"})};
    m_editor.setFindings(next);
    ExpectMarks({{1, 0}, {6, 3}}, next);
    EXPECT_EQ(m_editor.faultMarkCount(), 2);
    m_editor.setFindings({});
    EXPECT_EQ(MarkedLines(), std::vector<int>{});
}

// Marking is no edit: the undo history and the modified state stay as the user left them, and
// the user's next undo takes back the user's last edit.
TEST_F(FaultMarking, MarkingLeavesTheUndoHistoryAlone) {
    Load(kMarkedText);
    m_editor.setFocus();
    PutCaret(3);
    QTest::keyClicks(&m_editor, "zz");
    const int steps = m_editor.document()->availableUndoSteps();
    const bool modified = m_editor.document()->isModified();
    const QString typed = m_editor.toPlainText();
    m_editor.setFindings(kMarkedFindings);
    m_editor.setFindings(kMarkedFindings);
    EXPECT_EQ(m_editor.document()->availableUndoSteps(), steps);
    EXPECT_EQ(m_editor.document()->isModified(), modified);
    EXPECT_EQ(m_editor.toPlainText(), typed);
    m_editor.undo();
    EXPECT_EQ(m_editor.toPlainText(), kMarkedText);
}

struct StepCase {
    int caretLine;
    int next;
    int previous;
};

TEST_F(FaultMarking, NextAndPreviousWrapAround) {
    Load(NumberedLines(10));
    m_editor.setFindings(
        {FindingAt(9, 1, "M1", {"c"}), FindingAt(2, 1, "M1", {"a"}), FindingAt(5, 3, "M1", {"b"})});
    const StepCase rows[] = {{1, 2, 9}, {2, 5, 9}, {3, 5, 2}, {5, 9, 2}, {9, 2, 5}, {10, 2, 9}};
    for (const StepCase& row : rows) {
        SCOPED_TRACE(row.caretLine);
        PutCaret(row.caretLine, 3);
        m_editor.nextFault();
        EXPECT_EQ(m_editor.textCursor().blockNumber() + 1, row.next);
        EXPECT_EQ(m_editor.textCursor().positionInBlock(), 0);
        PutCaret(row.caretLine, 3);
        m_editor.previousFault();
        EXPECT_EQ(m_editor.textCursor().blockNumber() + 1, row.previous);
        EXPECT_EQ(m_editor.textCursor().positionInBlock(), 0);
    }
}

TEST_F(FaultMarking, OneMarkWrapsToItselfAndNoMarkMovesNothing) {
    Load(NumberedLines(10));
    m_editor.setFindings({FindingAt(4, 1, "M1", {"a"})});
    PutCaret(4, 5);
    m_editor.nextFault();
    EXPECT_EQ(m_editor.textCursor().position(), Block(4).position());
    PutCaret(7, 2);
    m_editor.previousFault();
    EXPECT_EQ(m_editor.textCursor().position(), Block(4).position());
    m_editor.setFindings({});
    PutCaret(7, 2);
    m_editor.nextFault();
    m_editor.previousFault();
    EXPECT_EQ(m_editor.textCursor().position(), Block(7).position() + 1);
}

// A long run's marks are placed over several turns of the event loop, in any order of findings.
TEST_F(FaultMarking, ManyFindingsArePlacedInSlicesAndKeptInLineOrder) {
    constexpr int kLines = 60000;
    Load(NumberedLines(kLines));
    std::vector<compiler::Finding> findings;
    for (int line = kLines; line >= 1; --line)
        findings.push_back(FindingAt(line, 1, "M1", {std::to_string(line)}));
    m_editor.setFindings(findings);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_editor.faultMarkCount() == kLines; }, 20000));
    for (const int line : {1, 2, 3, 30000, 59999}) {
        PutCaret(line, 1);
        m_editor.nextFault();
        EXPECT_EQ(m_editor.textCursor().blockNumber() + 1, line + 1);
        EXPECT_EQ(m_editor.faultTextOf(Block(line)),
                  MessageOf(findings[static_cast<std::size_t>(kLines - line)]));
    }
}

// Loading a file or starting a new document replaces the whole text while marks stand in it.
TEST_F(FaultMarking, ReplacingTheWholeTextDropsEveryMarkAndTheEditorGoesOn) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"setPlainText", [this] { m_editor.setPlainText("other\ntext"); }},
        {"clear", [this] { m_editor.clear(); }},
        {"select all and type",
         [this] {
             m_editor.selectAll();
             QTest::keyClicks(&m_editor, "z");
         }},
    };
    for (const auto& [name, replace] : rows) {
        SCOPED_TRACE(name);
        Load(kMarkedText);
        m_editor.setFindings(kMarkedFindings);
        PutCaret(3);
        ASSERT_EQ(m_editor.faultMarkCount(), 2);
        replace();
        EXPECT_EQ(m_editor.faultMarkCount(), 0);
        EXPECT_EQ(MarkedLines(), std::vector<int>{});
        EXPECT_EQ(m_editor.faultTextAtCaret(), "");
        QTest::qWait(1);
        QTest::keyClicks(&m_editor, "typed");
        m_editor.setFindings(kMarkedFindings);
    }
}

} // namespace
} // namespace varko::maintree
