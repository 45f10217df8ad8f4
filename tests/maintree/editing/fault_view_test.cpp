#include "editor_fixture.h"
#include "qstring_printer.h"
#include "varko/maintree/editing/editor_colours.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace varko::maintree {
namespace {

using testing::EditorFixture;
using testing::FindingAt;
using testing::MessageOf;
using testing::NumberedLines;
using testing::Replace;

using FaultView = EditorFixture;

// Two faults on line 2, listed against the order of their columns, and one on line 4.
const std::vector<compiler::Finding> kTipFindings = {
    FindingAt(2, 6, "M13", {"2"}), FindingAt(2, 1, "M1", {"line"}), FindingAt(4, 1, "M3", {"x.odf"})};

QString Line2Text() {
    return MessageOf(kTipFindings[0]) + "\n" + MessageOf(kTipFindings[1]);
}

QString Line4Text() {
    return MessageOf(kTipFindings[2]);
}

TEST_F(FaultView, HoveringALineOrItsMarkShowsItsMessages) {
    Load(NumberedLines(5));
    m_editor.setFindings(kTipFindings);
    const QString line2 = Line2Text();
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
        {"text of line 4", m_editor.viewport(), CentreOf(4), Line4Text()},
        {"line 3 has no fault", m_editor.viewport(), CentreOf(3), ""},
        {"below the last line", m_editor.viewport(), QPoint(10, m_editor.viewport()->height() - 5), ""},
        {"gutter beside line 2", gutter, QPoint(2, CentreOf(2).y()), line2},
        {"gutter beside line 4", gutter, QPoint(gutter->width() - 2, CentreOf(4).y()), Line4Text()},
        {"gutter beside line 1", gutter, QPoint(2, CentreOf(1).y()), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ToolTipAt(row.widget, row.at), row.text);
    }
}

TEST_F(FaultView, WrappedLinesKeepTheirNumberAndMessages) {
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

TEST_F(FaultView, TheGutterShowsAMarkBesideEachFaultyLine) {
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

TEST_F(FaultView, FaultsAreUnderlinedOnlyOverTheirStretch) {
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
        EXPECT_EQ(UnderlinedTexts(), (QStringList{"bad1 = x", "missing.odf"}));
    }
}

TEST_F(FaultView, OnlyTheLinesOnScreenAreUnderlined) {
    Load(NumberedLines(20000));
    std::vector<compiler::Finding> findings;
    for (int line = 1; line <= 20000; line += 20)
        findings.push_back(FindingAt(line, 1, "M1", {"line"}));
    m_editor.setFindings(findings);
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
    EXPECT_EQ(UnderlinedLines(), markedOnScreen());
    m_editor.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    EXPECT_EQ(markedOnScreen().back(), 19981);
    EXPECT_EQ(UnderlinedLines(), markedOnScreen());
}

TEST_F(FaultView, TheCaretsFaultTextFollowsTheCaret) {
    Load(NumberedLines(5));
    PutCaret(1);
    QSignalSpy spy(&m_editor, &CodeEditor::caretFaultChanged);
    const struct {
        const char* name;
        std::function<void()> step;
        QString text;
        bool signalled;
    } rows[] = {
        {"marks set, caret on a line without", [&] { m_editor.setFindings(kTipFindings); }, "", false},
        {"caret to line 2", [&] { PutCaret(2); }, Line2Text(), true},
        {"caret along line 2", [&] { PutCaret(2, 4); }, Line2Text(), false},
        {"caret to line 3", [&] { PutCaret(3); }, "", true},
        {"caret to line 4", [&] { PutCaret(4); }, Line4Text(), true},
        {"text of line 4 deleted",
         [&] { Replace(*m_editor.document(), Block(4).position(), Block(5).position() - 1, ""); }, "", true},
        {"new marks under the caret", [&] { m_editor.setFindings({kTipFindings[2]}); }, Line4Text(), true},
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

TEST_F(FaultView, TheCaretsLineIsHighlighted) {
    Load(NumberedLines(5));
    PutCaret(3, 2);
    QCoreApplication::processEvents();
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
} // namespace varko::maintree
