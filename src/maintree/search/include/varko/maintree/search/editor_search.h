#pragma once

#include "varko/maintree/search/text_search.h"

#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace varko::maintree {

// The editor's side of searching: the text as searches read it (a copy, taken again only after the
// text changed), the selection as a span, and the edits that replace matches. Each Find selects
// what it found, scrolls it into view and answers whether it found anything; the selection stays
// as it was otherwise.
class EditorSearch : public QObject {
    Q_OBJECT

public:
    explicit EditorSearch(QPlainTextEdit& editor, QObject* parent = nullptr);

    QPlainTextEdit& Editor() const { return m_editor; }
    // The editor's text with '\n' between lines; its positions are the editor's.
    const QString& Text();
    // Goes up with every change of the text.
    quint64 Revision() const { return m_revision; }

    TextSpan Selection() const;
    // Anchor at the span's start, caret at its end.
    void Select(TextSpan span);

    bool FindFirstFrom(const TextSearch& search, int origin);
    bool FindNext(const TextSearch& search);
    bool FindPrevious(const TextSearch& search);
    // Replaces the selection when it is exactly a match and selects the next match; when it is not,
    // only looks for the next match, so the user sees what a second Replace would change. Answers
    // whether it replaced.
    bool ReplaceCurrent(const TextSearch& search, const QString& replacement);
    // Replaces every match of the text as one undo step and answers how many there were. A match
    // whose replacement is the same text is left alone, but counted.
    int ReplaceAll(const TextSearch& search, const QString& replacement);

private:
    bool SelectFound(TextSpan span);

    QPlainTextEdit& m_editor;
    QString m_text;
    quint64 m_revision = 1;
    quint64 m_copiedRevision = 0;
};

} // namespace varko::maintree
