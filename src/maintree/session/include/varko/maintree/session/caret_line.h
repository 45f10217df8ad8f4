#pragma once

class QPlainTextEdit;

namespace varko::maintree {

// 0-based line (text block) of the caret.
int CaretLine(const QPlainTextEdit& editor);

// Puts the caret at the start of `line`, or of the last line when the text is shorter, and
// scrolls it into view: after a reload of a file that changed on disk, the caret stays on its line.
void PutCaretOnLine(QPlainTextEdit& editor, int line);

} // namespace varko::maintree
