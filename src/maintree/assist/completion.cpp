#include "varko/maintree/assist/completion.h"

#include "editor_line.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <exception>

namespace varko::maintree {

using language::CompletionContext;
using language::CompletionTarget;

namespace {

// Enough rows to size the list by; measuring every row of a long list would take long.
constexpr int kRowsMeasured = 256;

int PopupWidth(const QAbstractItemView& popup, const QAbstractItemModel& model) {
    const QFontMetrics metrics(popup.font());
    int widest = 0;
    for (int row = 0; row < std::min(model.rowCount(), kRowsMeasured); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(model.index(row, 0).data().toString()));
    return widest + 4 * metrics.averageCharWidth() + popup.verticalScrollBar()->sizeHint().width();
}

} // namespace

Completion::Completion(QPlainTextEdit* editor, CompletionSources sources, QObject* parent)
    : QObject(parent), m_editor(editor), m_sources(std::move(sources)), m_completer(new QCompleter(this)),
      m_model(new CompletionModel(this)) {
    m_completer->setWidget(editor);
    m_completer->setModel(m_model);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(10);
    auto* list = qobject_cast<QListView*>(m_completer->popup());
    if (list)
        list->setUniformItemSizes(true);
    m_completer->popup()->setObjectName(QStringLiteral("completions"));
    m_completer->popup()->setAccessibleName(QStringLiteral("Completions"));
    // Installed after the completer's own filter, so it sees the popup's keys first.
    m_completer->popup()->installEventFilter(this);
    editor->installEventFilter(this);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { insert(index.data().toString()); });
    reloadProperties();
}

QAbstractItemView* Completion::popup() const {
    return m_completer->popup();
}

bool Completion::isPopupVisible() const {
    return m_completer->popup()->isVisible();
}

void Completion::reloadProperties() {
    auto promise = std::make_shared<std::promise<CompletionModel::Items>>();
    m_properties = promise->get_future().share();
    m_loader.start([promise, provider = m_sources.properties](const std::atomic<bool>&) {
        std::vector<language::PropertyEntry> entries;
        try {
            if (provider)
                entries = provider();
        } catch (const std::exception&) {
            // Nothing to offer rather than no editor; the check run reports unreadable files.
        }
        promise->set_value(CompletionModel::Sort(language::PropertyCandidates(entries)));
    });
}

void Completion::complete() {
    if (!offer(contextAtCaret()))
        hidePopup();
}

CompletionContext Completion::contextAtCaret() const {
    if (!m_editor)
        return {};
    const CaretLine caret = CaretLineOf(m_editor->textCursor());
    const QString path = m_sources.documentPath ? m_sources.documentPath() : QString();
    return language::CompletionContextAt(caret.text, caret.column, compiler::KindOfPath(path.toStdString()),
                                         m_sources.typeOf);
}

bool Completion::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto& key = static_cast<QKeyEvent&>(*event);
    if (watched == m_completer->popup() && handlePopupKey(key))
        return true;
    // The key reaches the editor after this; look at the caret once it has.
    const bool typed = !key.text().isEmpty() && key.text().front().isPrint() &&
                       !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    QMetaObject::invokeMethod(
        this, [this, typed] { afterKey(typed); }, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

// Keys for the list itself; the completer passes every other key on to the editor.
bool Completion::handlePopupKey(QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        if (const QModelIndex current = popup()->currentIndex(); current.isValid())
            insert(current.data().toString());
        else
            hidePopup();
        return true;
    case Qt::Key_Escape:
        hidePopup();
        return true;
    default:
        return false;
    }
}

void Completion::afterKey(bool typed) {
    if (!m_editor)
        return;
    const CompletionContext context = contextAtCaret();
    const bool visible = isPopupVisible();
    if (visible ? context == m_shown : !(typed && wantsAutomatically(context)))
        return;
    // A name typed out in full needs no list.
    if (!offer(context) || (m_model->rowCount() == 1 &&
                            m_model->index(0).data().toString() == QString::fromLatin1(context.prefix)))
        hidePopup();
}

bool Completion::wantsAutomatically(const CompletionContext& context) const {
    if (context.target == CompletionTarget::PropertyName)
        return context.prefix.size() >= kAutomaticPrefix;
    return context.target != CompletionTarget::None;
}

bool Completion::offer(const CompletionContext& context) {
    if (context.target == CompletionTarget::None || !m_editor)
        return false;
    if (m_shown.target != context.target || !isPopupVisible())
        m_model->setItems(itemsFor(context.target));
    m_shown = context;
    m_model->setPrefix(QString::fromLatin1(context.prefix));
    if (m_model->rowCount() == 0)
        return false;
    QRect rect = m_editor->cursorRect();
    rect.setWidth(PopupWidth(*popup(), *m_model));
    m_completer->complete(rect);
    popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    return true;
}

CompletionModel::Items Completion::itemsFor(CompletionTarget target) {
    if (target != CompletionTarget::PropertyName)
        return CompletionModel::Sort(language::FileCandidates(target, m_sources.files));
    return m_properties.get();
}

void Completion::insert(const QString& text) {
    const CompletionContext context = contextAtCaret();
    hidePopup();
    if (context.target == CompletionTarget::None || !m_editor)
        return;
    QTextCursor cursor = m_editor->textCursor();
    const int caret = cursor.position();
    cursor.beginEditBlock();
    cursor.setPosition(cursor.block().position() + static_cast<int>(context.start));
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
    m_editor->setTextCursor(cursor);
}

void Completion::hidePopup() {
    popup()->hide();
}

} // namespace varko::maintree
