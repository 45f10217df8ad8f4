#pragma once

#include "varko/maintree/editing/syntax_highlighter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>

namespace varko::maintree {

// Decides when the highlighter colours which blocks. An edit of a few lines is coloured at once;
// a load or a large paste is coloured in slices of a few milliseconds on a zero timer, the blocks
// on screen first, so opening a large document costs about what it costs without colours.
class HighlightScheduler : public QObject {
    Q_OBJECT

public:
    HighlightScheduler(QPlainTextEdit& editor, SyntaxHighlighter& highlighter, QObject* parent = nullptr);

    // Colours `document` from now on (null: nothing).
    void attach(QTextDocument* document);
    // Colours every block again, those on screen first; after a change of kind or palette.
    void restyleAll();
    // True when no block waits to be coloured.
    bool isDone() const { return m_sweep.isNull(); }

private:
    void onContentsChange(int position, int removed, int added);
    void sweepFrom(const QTextBlock& block);
    void runSlice();
    void formatAll(QTextBlock block, int count);
    void formatVisible();
    void advanceSweep();

    QPlainTextEdit& m_editor;
    SyntaxHighlighter& m_highlighter;
    QPointer<QTextDocument> m_document;
    // Every block before it is current; null when all are.
    QTextCursor m_sweep;
    QTimer m_timer;
};

} // namespace varko::maintree
