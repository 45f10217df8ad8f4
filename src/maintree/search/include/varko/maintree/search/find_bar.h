#pragma once

#include "varko/maintree/search/editor_search.h"
#include "varko/maintree/search/find_bar_controls.h"
#include "varko/maintree/search/match_counter.h"
#include "varko/maintree/search/text_search.h"

#include <QTimer>
#include <QWidget>

class QPlainTextEdit;

namespace varko::maintree {

// The bar under the editor that finds and replaces text without covering it. Typing in "Find"
// selects the first match from where the caret stood when the bar took the focus; Return finds
// the next match, Shift+Return the previous one, and every search goes on from the other end of
// the text. Escape anywhere in the bar, or "Close", hides it and hands the focus back to the editor.
// An empty "Find" field finds nothing and the status line stays blank; a regular expression that
// does not compile is named in the status line instead of the count.
class FindBar : public QWidget {
    Q_OBJECT

public:
    explicit FindBar(QPlainTextEdit& editor, QWidget* parent = nullptr);

    // The find row only, or both rows. A selection within one line becomes the search text; either
    // way the field takes the focus with its text selected.
    void OpenFind();
    void OpenReplace();
    // With an empty search text they open the bar as Find does. Otherwise they search whether the
    // bar is open or not; when nothing is found a closed bar shows itself, keeping the focus where
    // it is, to say why the selection did not move.
    void FindNext();
    void FindPrevious();
    // Replaces the selected match and selects the next one.
    void Replace();
    // One undo step for the whole document; the status line tells how many were replaced.
    void ReplaceAll();
    void Close();

    const FindBarControls& Controls() const { return m_controls; }

signals:
    // The status line shows a count of the current search text in the current document.
    void MatchesCounted();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a count was made for: the search (by its number) and the text (by its revision).
    struct CountKey {
        quint64 search = 0;
        quint64 revision = 0;
        friend bool operator==(const CountKey&, const CountKey&) = default;
    };

    void Connect();
    void Open(bool replacing);
    const TextSearch& Search();
    CountKey CurrentKey() const { return {m_searchNumber, m_editorSearch.Revision()}; }
    void OnSearchEdited();
    void Find(bool (EditorSearch::*step)(const TextSearch&));
    void AfterFind(bool found);
    void RequestCount();
    void OnCounted(quint64 generation, MatchList matches);
    void ShowStatus();

    QPlainTextEdit& m_editor;
    FindBarControls m_controls;
    EditorSearch m_editorSearch;
    MatchCounter m_counter;
    TextSearch m_search;
    quint64 m_searchNumber = 0;
    // Where typing in the find field searches from.
    int m_origin = 0;
    MatchList m_matches;
    CountKey m_countedKey;
    CountKey m_requestedKey;
    quint64 m_requestedGeneration = 0;
    // Replaces the count in the status line until the next search.
    QString m_notice;
    // Edits to the text are counted again once the typing pauses.
    QTimer m_recount;
};

} // namespace varko::maintree
