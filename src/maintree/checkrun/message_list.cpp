#include "varko/maintree/checkrun/message_list.h"

#include "varko/maintree/controls/return_key.h"
#include "varko/maintree/editor/editor_pane.h"

#include <QEvent>
#include <QListWidget>

namespace varko::maintree {

MessageList::MessageList(QListWidget* list, EditorPane* editor, QObject* parent)
    : QObject(parent), m_list(list), m_editor(editor) {
    if (!m_list)
        return;
    m_list->viewport()->installEventFilter(this);
    connect(new ReturnKey(m_list), &ReturnKey::pressed, this, &MessageList::activated);
    connect(this, &MessageList::activated, this, &MessageList::goToMessageLine);
}

bool MessageList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && m_list && watched == m_list->viewport())
        emit activated();
    return QObject::eventFilter(watched, event);
}

void MessageList::goToMessageLine() {
    if (!m_list || !m_editor)
        return;
    const QListWidgetItem* message = m_list->currentItem();
    if (!message || !message->isSelected())
        return;
    bool isNumber = false;
    const int line = message->data(Qt::UserRole).toInt(&isNumber);
    if (!isNumber || line < 1 || line > m_editor->lineCount())
        return;
    const int index = line - 1;
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->setSelStart(m_editor->startOfLine(index));
    m_editor->setSelLength(static_cast<int>(m_editor->lineText(index).size()));
}

} // namespace varko::maintree
