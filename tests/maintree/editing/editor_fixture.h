#pragma once

#include "varko/compiler/finding.h"
#include "varko/maintree/editing/code_editor.h"

#include <QTextBlock>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varko::maintree::testing {

// A code editor on screen (offscreen platform) at a fixed size, and the helpers its tests share.
class EditorFixture : public ::testing::Test {
protected:
    EditorFixture();

    // Replaces the text and waits until every line is coloured.
    void Load(const QString& text);
    void Settle();
    // 1-based, like the line numbers the user sees.
    QTextBlock Block(int line) const;
    void PutCaret(int line, int column = 1);
    // The 1-based lines that carry a fault mark.
    std::vector<int> MarkedLines() const;
    // The middle of the caret's rectangle at a 1-based line and column, in viewport coordinates.
    QPoint CentreOf(int line, int column = 1) const;
    // The tool tip shown after the mouse rests at `at` on a widget; "" when none is shown.
    QString ToolTipAt(QWidget* widget, const QPoint& at);
    // The texts under wavy underlines, and the 1-based lines they are on.
    QStringList UnderlinedTexts() const;
    std::vector<int> UnderlinedLines() const;

    CodeEditor m_editor;
};

// Replaces the characters [from, to) of the document, positions counted from 0.
void Replace(QTextDocument& document, int from, int to, const QString& text);
compiler::Finding FindingAt(int line, int column, const std::string& code, std::vector<std::string> parts);
// "Line N: ..." as the message list shows it.
QString MessageOf(const compiler::Finding& finding);
// Lines "line 1" ... "line n", each followed by a line break but the last.
QString NumberedLines(int count);

} // namespace varko::maintree::testing
