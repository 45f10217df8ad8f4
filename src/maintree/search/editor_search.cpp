#include "varko/maintree/search/editor_search.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include <vector>

namespace varko::maintree {

namespace {

struct Edit {
    TextSpan span;
    QString text;
};

std::vector<Edit> ReplacementEdits(const TextSearch& search, const QString& text,
                                   const QString& replacement) {
    std::vector<Edit> edits;
    search.ForEachMatch(text, [&](const QRegularExpressionMatch& match) {
        edits.push_back({SpanOf(match), search.ReplacementFor(match, replacement)});
        return true;
    });
    return edits;
}

} // namespace

EditorSearch::EditorSearch(QPlainTextEdit& editor, QObject* parent) : QObject(parent), m_editor(editor) {
    connect(&editor, &QPlainTextEdit::textChanged, this, [this] { ++m_revision; });
}

const QString& EditorSearch::Text() {
    if (m_copiedRevision != m_revision) {
        m_text = m_editor.document()->toRawText();
        m_text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        m_copiedRevision = m_revision;
    }
    return m_text;
}

TextSpan EditorSearch::Selection() const {
    const QTextCursor cursor = m_editor.textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void EditorSearch::Select(TextSpan span) {
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(span.start);
    cursor.setPosition(span.End(), QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
    m_editor.ensureCursorVisible();
}

bool EditorSearch::SelectFound(TextSpan span) {
    if (span.Found())
        Select(span);
    return span.Found();
}

bool EditorSearch::FindFirstFrom(const TextSearch& search, int origin) {
    return SelectFound(search.FirstFrom(Text(), origin));
}

bool EditorSearch::FindNext(const TextSearch& search) {
    return SelectFound(search.Next(Text(), Selection()));
}

bool EditorSearch::FindPrevious(const TextSearch& search) {
    return SelectFound(search.Previous(Text(), Selection()));
}

bool EditorSearch::ReplaceCurrent(const TextSearch& search, const QString& replacement) {
    const TextSpan current = Selection();
    const QRegularExpressionMatch match = search.MatchExactly(Text(), current);
    if (!match.hasMatch() || m_editor.isReadOnly()) {
        FindNext(search);
        return false;
    }
    QTextCursor cursor = m_editor.textCursor();
    cursor.insertText(search.ReplacementFor(match, replacement));
    const TextSpan inserted{current.start, cursor.position() - current.start};
    Select(inserted);
    // Going on after the inserted text keeps a replacement that matches again from being found.
    FindNext(search);
    return true;
}

int EditorSearch::ReplaceAll(const TextSearch& search, const QString& replacement) {
    if (m_editor.isReadOnly())
        return 0;
    const QString& text = Text();
    const std::vector<Edit> edits = ReplacementEdits(search, text, replacement);
    QTextCursor cursor(m_editor.document());
    cursor.beginEditBlock();
    // From the last match back, so the positions of those still to come stay as they were found.
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        if (QStringView(text).mid(edit->span.start, edit->span.length) == edit->text)
            continue;
        cursor.setPosition(edit->span.start);
        cursor.setPosition(edit->span.End(), QTextCursor::KeepAnchor);
        cursor.insertText(edit->text);
    }
    cursor.endEditBlock();
    return int(edits.size());
}

} // namespace varko::maintree
