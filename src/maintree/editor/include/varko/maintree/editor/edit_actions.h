#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace varko::maintree {

class EditorPane;

// The editing commands, one action each, shared by the Edit menu and the editor's context menu.
// Undo and Redo act from any control of the window (their keys work everywhere); Cut, Copy,
// Paste and Select All act only while the editor has the window's focus.
class EditActions : public QObject {
    Q_OBJECT

public:
    explicit EditActions(EditorPane& editor);

    QAction* undo() const { return m_undo; }
    QAction* redo() const { return m_redo; }
    QAction* cut() const { return m_cut; }
    QAction* copy() const { return m_copy; }
    QAction* paste() const { return m_paste; }
    QAction* selectAll() const { return m_selectAll; }
    // Undo, Cut, Copy, Paste and Select All; it opens where the editor asks for its menu.
    QMenu* contextMenu() const { return m_contextMenu; }

private:
    enum class Reach { AnyControl, EditorFocused };

    QAction* makeAction(const char* name, const QString& caption, void (EditorPane::*command)(), Reach reach);
    void buildContextMenu();
    bool editorHasFocus() const;

    EditorPane& m_editor;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_selectAll = nullptr;
    QMenu* m_contextMenu = nullptr;
};

} // namespace varko::maintree
