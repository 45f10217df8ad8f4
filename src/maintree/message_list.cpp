#include "varko/maintree/message_list.h"

#include "varko/maintree/editor_pane.h"
#include "varko/maintree/return_key.h"
#include "varko/textrules/text_rules.h"

#include <QEvent>
#include <QListWidget>

namespace varko::maintree {

std::optional<int> MessageLineNumber(const QString& message) {
    const std::string text = message.toLatin1().toStdString();
    const auto colon = static_cast<long long>(textrules::Position(":", text));
    return textrules::ParseInt(textrules::Substring(text, 6, colon - 6));
}

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
    const std::optional<int> line = MessageLineNumber(message->text());
    if (!line || *line < 1 || *line > m_editor->LineCount())
        return;
    const int index = *line - 1;
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->SetSelStart(m_editor->StartOfLine(index));
    m_editor->SetSelLength(static_cast<int>(m_editor->LineText(index).size()));
}

} // namespace varko::maintree
