#pragma once

#include <QObject>
#include <QPointer>

class QListWidget;

namespace varko::maintree {

class EditorPane;

// The message list's navigation: a double-click or Return puts the editor on the line a message
// is about, which each item keeps as its data (Qt::UserRole).
class MessageList : public QObject {
    Q_OBJECT

public:
    MessageList(QListWidget* list, EditorPane* editor, QObject* parent = nullptr);

    // Focuses the editor and selects the whole text line (not a wrapped part of it) that the
    // selected message names. Without a selected message, or when the line no longer exists,
    // nothing happens.
    void goToMessageLine();

signals:
    // A double-click anywhere on the list, on a message or below the last one, or Return.
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QListWidget> m_list;
    QPointer<EditorPane> m_editor;
};

} // namespace varko::maintree
