#pragma once

#include "varko/maintree/editing/document_kind.h"
#include "varko/maintree/editing/text_formats.h"

#include <QSyntaxHighlighter>

namespace varko::maintree {

// Colours the lines of an object definition or tech-tree document. It formats only the blocks it
// is asked for (formatBlocks), so a large document can be coloured a slice at a time; each
// block's state records the generation of formats it was coloured with, so a block is known to
// be current or stale without any other bookkeeping.
class SyntaxHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit SyntaxHighlighter(QObject* parent = nullptr);

    DocumentKind kind() const { return m_kind; }
    // Both make every block stale; it is coloured again when it is formatted next.
    void setKind(DocumentKind kind);
    void setFormats(const TextFormats& formats);
    const TextFormats& formats() const { return m_formats; }

    bool isCurrent(const QTextBlock& block) const { return block.userState() == m_generation; }
    // For a block whose text was replaced without it being formatted.
    static void markStale(QTextBlock block) { block.setUserState(kStale); }
    // Formats `first` and then the stale blocks that follow it, up to `most` blocks in all, in
    // one pass. Returns how many blocks were formatted.
    int formatBlocks(const QTextBlock& first, int most);

signals:
    // The base class coloured blocks on its own (it does after a document is attached); they
    // are stale now and need formatting.
    void blocksWentStale();

protected:
    void highlightBlock(const QString& text) override;

private:
    static constexpr int kStale = -1;

    DocumentKind m_kind = DocumentKind::Odf;
    TextFormats m_formats;
    int m_generation = 0;
    int m_budget = 0;
    bool m_formatting = false;
    bool m_staleReported = false;
};

} // namespace varko::maintree
