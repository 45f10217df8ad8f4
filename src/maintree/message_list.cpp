#include "varko/maintree/message_list.h"

#include "varko/maintree/editor_pane.h"
#include "varko/maintree/return_key.h"

#include <QEvent>
#include <QListWidget>

namespace varko::maintree {

MessageList::MessageList(QListWidget* msgList, EditorPane* editor, QObject* parent)
    : QObject(parent), m_msgList(msgList), m_editor(editor) {
    if (!m_msgList)
        return;
    m_msgList->viewport()->installEventFilter(this);
    connect(new ReturnKey(m_msgList), &ReturnKey::Pressed, this, &MessageList::DblClick);
}

bool MessageList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && m_msgList && watched == m_msgList->viewport())
        emit DblClick();
    return QObject::eventFilter(watched, event);
}

void MessageList::SelectMessageLine() {
    if (!m_msgList || !m_editor)
        return;
    const QListWidgetItem* message = m_msgList->currentItem();
    if (!message || !message->isSelected())
        return;
    bool isNumber = false;
    const int line = message->data(Qt::UserRole).toInt(&isNumber);
    if (!isNumber || line < 1 || line > m_editor->LineCount())
        return;
    const int index = line - 1;
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->SetSelStart(m_editor->StartOfLine(index));
    m_editor->SetSelLength(static_cast<int>(m_editor->LineText(index).size()));
}

} // namespace varko::maintree
