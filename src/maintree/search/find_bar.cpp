#include "varko/maintree/search/find_bar.h"

#include "varko/maintree/search/match_status.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace varko::maintree {

namespace {

// Long enough to let a burst of typing in the editor pass before the document is counted again.
constexpr int kRecountDelayMs = 150;

bool IsReturn(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

FindBar::FindBar(QPlainTextEdit& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_controls(BuildFindBarControls(*this)), m_editorSearch(editor) {
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(QStringLiteral("Find bar"));
    m_recount.setSingleShot(true);
    m_recount.setInterval(kRecountDelayMs);
    m_controls.findEdit->installEventFilter(this);
    m_controls.replaceEdit->installEventFilter(this);
    m_controls.ShowReplaceRow(false);
    Connect();
}

void FindBar::Connect() {
    const FindBarControls& c = m_controls;
    connect(c.findEdit, &QLineEdit::textEdited, this, &FindBar::OnSearchEdited);
    // Text set by the program rather than typed is counted too, but not searched for.
    connect(c.findEdit, &QLineEdit::textChanged, this, [this] {
        RequestCount();
        ShowStatus();
    });
    for (QCheckBox* box : {c.matchCase, c.wholeWords, c.regularExpression})
        connect(box, &QCheckBox::toggled, this, &FindBar::OnSearchEdited);
    connect(c.findNext, &QPushButton::clicked, this, &FindBar::FindNext);
    connect(c.findPrevious, &QPushButton::clicked, this, &FindBar::FindPrevious);
    connect(c.replace, &QPushButton::clicked, this, &FindBar::Replace);
    connect(c.replaceAll, &QPushButton::clicked, this, &FindBar::ReplaceAll);
    connect(c.close, &QPushButton::clicked, this, &FindBar::Close);
    connect(&m_counter, &MatchCounter::Counted, this, &FindBar::OnCounted);
    connect(&m_recount, &QTimer::timeout, this, &FindBar::RequestCount);
    connect(&m_editor, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible())
            m_recount.start();
    });
    connect(&m_editor, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (isVisible())
            ShowStatus();
    });
}

void FindBar::OpenFind() {
    Open(false);
}

void FindBar::OpenReplace() {
    Open(true);
}

void FindBar::Open(bool replacing) {
    const QString selected = m_editor.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_controls.findEdit->setText(selected);
    m_controls.ShowReplaceRow(replacing);
    m_origin = m_editorSearch.Selection().start;
    show();
    m_controls.findEdit->setFocus(Qt::ShortcutFocusReason);
    m_controls.findEdit->selectAll();
    RequestCount();
    ShowStatus();
}

void FindBar::Close() {
    m_recount.stop();
    hide();
    m_editor.setFocus(Qt::OtherFocusReason);
}

const TextSearch& FindBar::Search() {
    const QString pattern = m_controls.findEdit->text();
    const SearchOptions options{m_controls.matchCase->isChecked(), m_controls.wholeWords->isChecked(),
                                m_controls.regularExpression->isChecked()};
    if (pattern != m_search.Pattern() || !(options == m_search.Options())) {
        m_search = TextSearch(pattern, options);
        ++m_searchNumber;
        m_notice.clear();
    }
    return m_search;
}

void FindBar::OnSearchEdited() {
    const TextSearch& search = Search();
    if (search.IsUsable())
        AfterFind(m_editorSearch.FindFirstFrom(search, m_origin));
    else
        AfterFind(false);
}

void FindBar::FindNext() {
    Find(&EditorSearch::FindNext);
}

void FindBar::FindPrevious() {
    Find(&EditorSearch::FindPrevious);
}

void FindBar::Find(bool (EditorSearch::*step)(const TextSearch&)) {
    const TextSearch& search = Search();
    if (search.IsEmpty()) {
        if (isHidden())
            OpenFind();
        return;
    }
    m_notice.clear();
    const bool found = search.IsUsable() && (m_editorSearch.*step)(search);
    if (found)
        m_origin = m_editorSearch.Selection().start;
    else if (isHidden())
        show();
    AfterFind(found);
}

void FindBar::AfterFind(bool found) {
    // Each search goes round the whole text, so finding nothing means there is nothing to count.
    if (!found && Search().IsUsable()) {
        m_counter.Cancel();
        m_matches = std::make_shared<const std::vector<TextSpan>>();
        m_countedKey = CurrentKey();
        m_requestedKey = {};
    }
    RequestCount();
    ShowStatus();
}

void FindBar::Replace() {
    const TextSearch& search = Search();
    if (search.IsUsable()) {
        m_notice.clear();
        m_editorSearch.ReplaceCurrent(search, m_controls.replaceEdit->text());
        m_origin = m_editorSearch.Selection().start;
    }
    RequestCount();
    ShowStatus();
}

void FindBar::ReplaceAll() {
    const TextSearch& search = Search();
    if (search.IsUsable()) {
        const int replaced = m_editorSearch.ReplaceAll(search, m_controls.replaceEdit->text());
        m_notice = QStringLiteral("Replaced %1 matches").arg(replaced);
    }
    RequestCount();
    ShowStatus();
}

void FindBar::RequestCount() {
    // A closed bar shows no count; opening it asks for one.
    if (isHidden())
        return;
    const TextSearch& search = Search();
    const CountKey key = CurrentKey();
    if (!search.IsUsable() || key == m_countedKey || key == m_requestedKey)
        return;
    m_requestedKey = key;
    m_requestedGeneration = m_counter.Request(m_editorSearch.Text(), search.Pattern(), search.Options());
}

void FindBar::OnCounted(quint64 generation, MatchList matches) {
    if (generation != m_requestedGeneration)
        return;
    m_matches = std::move(matches);
    m_countedKey = m_requestedKey;
    m_requestedKey = {};
    ShowStatus();
    emit MatchesCounted();
}

void FindBar::ShowStatus() {
    const TextSearch& search = Search();
    QString status;
    if (!search.ErrorText().isEmpty())
        status = search.ErrorText();
    else if (search.IsEmpty())
        status.clear();
    else if (!m_notice.isEmpty())
        status = m_notice;
    else if (m_countedKey == CurrentKey())
        status = MatchStatusText(*m_matches, m_editorSearch.Selection());
    else if (m_countedKey.search == m_searchNumber)
        return; // Only the text changed: the old count stays up until the new one comes.
    m_controls.status->setText(status);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == m_controls.findEdit) {
        // Typing searches from where the caret is now, also after the user moved it in the editor.
        m_origin = m_editorSearch.Selection().start;
    } else if (event->type() == QEvent::KeyPress && IsReturn(*static_cast<QKeyEvent*>(event))) {
        const bool backwards = static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier;
        if (watched == m_controls.replaceEdit)
            Replace();
        else if (watched == m_controls.findEdit)
            backwards ? FindPrevious() : FindNext();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace varko::maintree
