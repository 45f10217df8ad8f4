#include "varko/maintree/editing/highlight_scheduler.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace varko::maintree {

namespace {

// An edit that spans at most this many blocks is coloured before the next paint.
constexpr int kInlineBlocks = 200;
// Blocks coloured in one pass of the highlighter, and the time one slice may take.
constexpr int kChunkBlocks = 250;
constexpr qint64 kSliceNanoseconds = 4'000'000;
// Current blocks the sweep steps over before it looks at the clock again.
constexpr int kSkipBlocks = 4000;

QTextBlock Advance(QTextBlock block, int count) {
    for (int i = 0; i < count && block.isValid(); ++i)
        block = block.next();
    return block;
}

} // namespace

HighlightScheduler::HighlightScheduler(QPlainTextEdit& editor, SyntaxHighlighter& highlighter,
                                       QObject* parent)
    : QObject(parent), m_editor(editor), m_highlighter(highlighter) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &HighlightScheduler::runSlice);
    connect(&m_highlighter, &SyntaxHighlighter::blocksWentStale, this, &HighlightScheduler::restyleAll);
}

void HighlightScheduler::attach(QTextDocument* document) {
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    m_sweep = QTextCursor();
    m_highlighter.setDocument(document);
    if (document == nullptr)
        return;
    // The base class would colour every block of a load or a large paste at once, in its own
    // handler of this signal; this class decides instead.
    disconnect(document, &QTextDocument::contentsChange, &m_highlighter, nullptr);
    connect(document, &QTextDocument::contentsChange, this, &HighlightScheduler::onContentsChange);
    // Settles the full pass the base class has queued for a document with text: it only marks
    // the blocks stale, and the slices colour them.
    if (!document->isEmpty())
        m_highlighter.rehighlight();
}

void HighlightScheduler::restyleAll() {
    if (m_document)
        sweepFrom(m_document->begin());
}

void HighlightScheduler::onContentsChange(int position, int, int added) {
    const QTextBlock first = m_document->findBlock(position);
    QTextBlock last = m_document->findBlock(position + added);
    if (!last.isValid())
        last = m_document->lastBlock();
    const int count = last.blockNumber() - first.blockNumber() + 1;
    if (count <= kInlineBlocks) {
        formatAll(first, count);
        return;
    }
    // The blocks in between are new; these two may have been current before their text changed.
    SyntaxHighlighter::markStale(first);
    SyntaxHighlighter::markStale(last);
    sweepFrom(first);
}

void HighlightScheduler::sweepFrom(const QTextBlock& block) {
    if (!block.isValid())
        return;
    if (m_sweep.isNull() || block.position() < m_sweep.position())
        m_sweep = QTextCursor(block);
    m_timer.start();
}

void HighlightScheduler::formatAll(QTextBlock block, int count) {
    while (block.isValid() && count > 0) {
        const int done = std::max(1, m_highlighter.formatBlocks(block, count));
        count -= done;
        block = Advance(block, done);
    }
}

void HighlightScheduler::runSlice() {
    if (m_sweep.isNull())
        return;
    formatVisible();
    QElapsedTimer clock;
    clock.start();
    while (!m_sweep.isNull() && clock.nsecsElapsed() < kSliceNanoseconds)
        advanceSweep();
    if (!m_sweep.isNull())
        m_timer.start();
}

void HighlightScheduler::formatVisible() {
    // The editor may show another document until it is bound to this one.
    if (m_editor.document() != m_document)
        return;
    QTextBlock block = m_editor.cursorForPosition(QPoint(0, 0)).block();
    const int last = m_editor.cursorForPosition(QPoint(0, m_editor.viewport()->height())).blockNumber();
    int left = last - block.blockNumber() + 1;
    while (block.isValid() && left > 0) {
        const int done =
            m_highlighter.isCurrent(block) ? 1 : std::max(1, m_highlighter.formatBlocks(block, left));
        left -= done;
        block = Advance(block, done);
    }
}

void HighlightScheduler::advanceSweep() {
    QTextBlock block = m_sweep.block();
    for (int skipped = 0; block.isValid() && m_highlighter.isCurrent(block) && skipped < kSkipBlocks;
         ++skipped)
        block = block.next();
    if (block.isValid() && !m_highlighter.isCurrent(block))
        block = Advance(block, std::max(1, m_highlighter.formatBlocks(block, kChunkBlocks)));
    if (block.isValid())
        m_sweep.setPosition(block.position());
    else
        m_sweep = QTextCursor();
}

} // namespace varko::maintree
