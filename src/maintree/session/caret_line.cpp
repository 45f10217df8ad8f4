#include "varko/maintree/session/caret_line.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace varko::maintree {

int CaretLine(const QPlainTextEdit& editor) {
    return editor.textCursor().blockNumber();
}

void PutCaretOnLine(QPlainTextEdit& editor, int line) {
    QTextDocument* document = editor.document();
    const QTextBlock block = document->findBlockByNumber(qBound(0, line, document->blockCount() - 1));
    editor.setTextCursor(QTextCursor(block));
    editor.ensureCursorVisible();
}

} // namespace varko::maintree
