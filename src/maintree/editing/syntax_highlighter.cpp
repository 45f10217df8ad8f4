#include "varko/maintree/editing/syntax_highlighter.h"

namespace varko::maintree {

SyntaxHighlighter::SyntaxHighlighter(QObject* parent) : QSyntaxHighlighter(parent) {}

void SyntaxHighlighter::setKind(DocumentKind kind) {
    m_kind = kind;
    ++m_generation;
}

void SyntaxHighlighter::setFormats(const TextFormats& formats) {
    m_formats = formats;
    ++m_generation;
}

// The base class goes on to the next block whenever a block's state changes; marking a stale
// block current is such a change, so one call walks a run of stale blocks until the budget ends.
int SyntaxHighlighter::formatBlocks(const QTextBlock& first, int most) {
    if (most <= 0 || !first.isValid())
        return 0;
    m_formatting = true;
    m_staleReported = false;
    m_budget = most;
    rehighlightBlock(first);
    m_formatting = false;
    return most - m_budget;
}

void SyntaxHighlighter::highlightBlock(const QString& text) {
    if (!m_formatting) {
        // Colouring everything here would stall the window on a large document.
        setCurrentBlockState(kStale);
        if (!m_staleReported) {
            m_staleReported = true;
            emit blocksWentStale();
        }
        return;
    }
    const bool current = currentBlockState() == m_generation;
    // Past the budget a stale block stays uncoloured and stale; its unchanged state ends the walk.
    if (m_budget <= 0 && !current)
        return;
    for (const StyledSpan& span : ScanLine(text, m_kind))
        setFormat(static_cast<int>(span.start), static_cast<int>(span.length), m_formats.of(span.style));
    if (m_budget > 0) {
        --m_budget;
        setCurrentBlockState(m_generation);
    }
}

} // namespace varko::maintree
