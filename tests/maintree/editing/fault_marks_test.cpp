#include "editor_fixture.h"
#include "qstring_printer.h"
#include "varko/editing/editor_colours.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <functional>

namespace varko::editing {
namespace {

using testing::EditorFixture;
using testing::FindingAt;
using testing::MessageOf;
using testing::NumberedLines;

// Characters [from, to) of the document, 0-based positions.
void Replace(QTextDocument& document, int from, int to, const QString& text) {
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

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

    QPoint CentreOf(int line, int column = 1) const {
        QTextCursor cursor(Block(line));
        cursor.setPosition(cursor.position() + column - 1);
        return m_editor.cursorRect(cursor).center();
    }

    // The tool tip shown after the mouse rests at `at` on a widget; "" when none is shown.
    QString ToolTipAt(QWidget* widget, const QPoint& at) {
        // QToolTip::hideText hides only after a delay; the tip from the row before must go now.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->inherits("QTipLabel"))
                window->hide();
        }
        QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
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

TEST_F(FaultMarking, HoveringALineOrItsMarkShowsItsMessages) {
    Load(NumberedLines(5));
    const std::vector<compiler::Finding> findings = {
        FindingAt(2, 6, "M13", {"2"}), FindingAt(2, 1, "M1", {"line"}), FindingAt(4, 1, "M3", {"x.odf"})};
    m_editor.setFindings(findings);
    const QString line2 = MessageOf(findings[0]) + "\n" + MessageOf(findings[1]);
    QWidget* gutter = m_editor.lineNumberArea();
    const struct {
        const char* name;
        QWidget* widget;
        QPoint at;
        QString text;
    } rows[] = {
        {"text of line 2", m_editor.viewport(), CentreOf(2, 3), line2},
        {"far right of line 2", m_editor.viewport(),
         QPoint(m_editor.viewport()->width() - 5, CentreOf(2).y()), line2},
        {"text of line 4", m_editor.viewport(), CentreOf(4), MessageOf(findings[2])},
        {"line 3 has no fault", m_editor.viewport(), CentreOf(3), ""},
        {"below the last line", m_editor.viewport(), QPoint(10, m_editor.viewport()->height() - 5), ""},
        {"gutter beside line 2", gutter, QPoint(2, CentreOf(2).y()), line2},
        {"gutter beside line 4", gutter, QPoint(gutter->width() - 2, CentreOf(4).y()),
         MessageOf(findings[2])},
        {"gutter beside line 1", gutter, QPoint(2, CentreOf(1).y()), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ToolTipAt(row.widget, row.at), row.text);
    }
}

TEST_F(FaultMarking, WrappedLinesKeepTheirNumberAndMessages) {
    m_editor.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Load("short\n" + QString(400, QLatin1Char('w')) + " end\nlast");
    const std::vector<compiler::Finding> findings = {FindingAt(2, 1, "M1", {"w"}),
                                                     FindingAt(3, 1, "M1", {"last"})};
    m_editor.setFindings(findings);
    const QPoint lastRowOfLine2 = CentreOf(2, 402);
    ASSERT_GT(lastRowOfLine2.y(), CentreOf(2).y() + m_editor.fontMetrics().height());
    EXPECT_EQ(ToolTipAt(m_editor.viewport(), lastRowOfLine2), MessageOf(findings[0]));
    EXPECT_EQ(ToolTipAt(m_editor.lineNumberArea(), QPoint(2, lastRowOfLine2.y())), MessageOf(findings[0]));
    EXPECT_EQ(ToolTipAt(m_editor.lineNumberArea(), QPoint(2, CentreOf(3).y())), MessageOf(findings[1]));
}

TEST_F(FaultMarking, TheGutterShowsAMarkBesideEachFaultyLine) {
    Load(NumberedLines(6));
    m_editor.setFindings({FindingAt(2, 1, "M1", {"a"}), FindingAt(5, 3, "M1", {"b"})});
    const QImage gutter = m_editor.lineNumberArea()->grab().toImage();
    const QRgb error = ErrorColour(m_editor.palette()).rgb();
    for (int line = 1; line <= 6; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(gutter.pixel(1, CentreOf(line).y()) == error, line == 2 || line == 5);
    }
    EXPECT_EQ(m_editor.lineNumberArea()->accessibleName(), "Line numbers");
}

TEST_F(FaultMarking, FaultsAreUnderlinedOnlyOverTheirStretch) {
    const auto underlined = [this] {
        QStringList texts;
        for (const QTextEdit::ExtraSelection& selection : m_editor.extraSelections()) {
            if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                texts << selection.cursor.selectedText();
        }
        return texts;
    };
    const struct {
        const char* name;
        std::function<void(QTextDocument&)> edit;
    } rows[] = {
        {"as found", [](QTextDocument&) {}},
        {"text typed right behind the file name", [](QTextDocument& d) { Replace(d, 27, 27, "X"); }},
        {"text typed right in front of the file name", [](QTextDocument& d) { Replace(d, 16, 16, "X"); }},
        {"a line started at the end of the whole-line mark",
         [](QTextDocument& d) { Replace(d, 8, 8, "\nnew"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Load("bad1 = x\nskin = missing.odf 2\nok = 1");
        m_editor.setFindings({FindingAt(1, 1, "M1", {"bad1"}), FindingAt(2, 8, "M3", {"missing.odf"})});
        row.edit(*m_editor.document());
        EXPECT_EQ(underlined(), (QStringList{"bad1 = x", "missing.odf"}));
    }
}

TEST_F(FaultMarking, OnlyTheLinesOnScreenAreUnderlined) {
    Load(NumberedLines(20000));
    std::vector<compiler::Finding> findings;
    for (int line = 1; line <= 20000; line += 20)
        findings.push_back(FindingAt(line, 1, "M1", {"line"}));
    m_editor.setFindings(findings);
    const auto underlinedLines = [this] {
        std::vector<int> lines;
        for (const QTextEdit::ExtraSelection& selection : m_editor.extraSelections()) {
            if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                lines.push_back(selection.cursor.blockNumber() + 1);
        }
        return lines;
    };
    // Every 20th line from line 1 on is marked; those between the first and last line on screen.
    const auto markedOnScreen = [this] {
        const int first = m_editor.cursorForPosition(QPoint(0, 0)).blockNumber() + 1;
        const int last =
            m_editor.cursorForPosition(QPoint(0, m_editor.viewport()->height())).blockNumber() + 1;
        std::vector<int> lines;
        for (int line = first; line <= last; ++line) {
            if (line % 20 == 1)
                lines.push_back(line);
        }
        return lines;
    };
    EXPECT_FALSE(markedOnScreen().empty());
    EXPECT_EQ(underlinedLines(), markedOnScreen());
    m_editor.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    EXPECT_EQ(markedOnScreen().back(), 19981);
    EXPECT_EQ(underlinedLines(), markedOnScreen());
}

TEST_F(FaultMarking, TheCaretsFaultTextFollowsTheCaret) {
    Load(NumberedLines(5));
    PutCaret(1);
    const std::vector<compiler::Finding> findings = {
        FindingAt(2, 6, "M13", {"2"}), FindingAt(2, 1, "M1", {"line"}), FindingAt(4, 1, "M3", {"x.odf"})};
    const QString line2 = MessageOf(findings[0]) + "\n" + MessageOf(findings[1]);
    const QString line4 = MessageOf(findings[2]);
    QSignalSpy spy(&m_editor, &CodeEditor::caretFaultChanged);
    const struct {
        const char* name;
        std::function<void()> step;
        QString text;
        bool signalled;
    } rows[] = {
        {"marks set, caret on a line without", [&] { m_editor.setFindings(findings); }, "", false},
        {"caret to line 2", [&] { PutCaret(2); }, line2, true},
        {"caret along line 2", [&] { PutCaret(2, 4); }, line2, false},
        {"caret to line 3", [&] { PutCaret(3); }, "", true},
        {"caret to line 4", [&] { PutCaret(4); }, line4, true},
        {"text of line 4 deleted",
         [&] { Replace(*m_editor.document(), Block(4).position(), Block(5).position() - 1, ""); }, "", true},
        {"new marks under the caret", [&] { m_editor.setFindings({findings[2]}); }, line4, true},
        {"marks cleared", [&] { m_editor.setFindings({}); }, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        spy.clear();
        row.step();
        EXPECT_EQ(m_editor.faultTextAtCaret(), row.text);
        ASSERT_EQ(spy.count(), row.signalled ? 1 : 0);
        if (row.signalled) {
            EXPECT_EQ(spy.at(0).at(0).toString(), row.text);
        }
    }
}

TEST_F(FaultMarking, TheCaretsLineIsHighlighted) {
    Load(NumberedLines(5));
    PutCaret(3, 2);
    int highlighted = 0;
    for (const QTextEdit::ExtraSelection& selection : m_editor.extraSelections()) {
        if (selection.format.boolProperty(QTextFormat::FullWidthSelection)) {
            ++highlighted;
            EXPECT_EQ(selection.cursor.blockNumber(), 2);
            EXPECT_FALSE(selection.cursor.hasSelection());
        }
    }
    EXPECT_EQ(highlighted, 1);
}

} // namespace
} // namespace varko::editing
