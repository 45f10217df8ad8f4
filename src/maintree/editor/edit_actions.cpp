#include "varko/maintree/editor/edit_actions.h"

#include "varko/maintree/editor/editor_pane.h"

#include <QAction>
#include <QMenu>

namespace varko::maintree {

namespace {

// The two menus give Select All different access keys: "Se&lect All" in the Edit menu, "Select
// &All" in the context menu.
const QString kSelectAllInEditMenu = QStringLiteral("Se&lect All");
const QString kSelectAllInContextMenu = QStringLiteral("Select &All");

} // namespace

EditActions::EditActions(EditorPane& editor) : QObject(&editor), m_editor(editor) {
    m_undo = makeAction("undo", QStringLiteral("&Undo"), &EditorPane::undo, Reach::AnyControl);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The context menu shows no keys.
    m_undo->setShortcutVisibleInContextMenu(false);
    m_redo = makeAction("redo", QStringLiteral("&Redo"), &EditorPane::redo, Reach::AnyControl);
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_cut = makeAction("cut", QStringLiteral("Cu&t"), &EditorPane::cut, Reach::EditorFocused);
    m_copy = makeAction("copy", QStringLiteral("&Copy"), &EditorPane::copy, Reach::EditorFocused);
    m_paste = makeAction("paste", QStringLiteral("&Paste"), &EditorPane::paste, Reach::EditorFocused);
    m_selectAll = makeAction("selectAll", kSelectAllInEditMenu, &EditorPane::selectAll, Reach::EditorFocused);
    buildContextMenu();
}

QAction* EditActions::makeAction(const char* name, const QString& caption, void (EditorPane::*command)(),
                                 Reach reach) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, &m_editor, [this, command, reach] {
        if (reach == Reach::AnyControl || editorHasFocus())
            (m_editor.*command)();
    });
    return action;
}

// The window's focus, not the application's: a menu that is open has the application's focus.
bool EditActions::editorHasFocus() const {
    return m_editor.window()->focusWidget() == &m_editor;
}

void EditActions::buildContextMenu() {
    m_contextMenu = new QMenu(&m_editor);
    m_contextMenu->setObjectName(QStringLiteral("editorContextMenu"));
    m_contextMenu->setAccessibleName(QStringLiteral("EditorPopup"));
    m_contextMenu->addAction(m_undo);
    m_contextMenu->addSeparator();
    for (QAction* action : {m_cut, m_copy, m_paste})
        m_contextMenu->addAction(action);
    m_contextMenu->addSeparator();
    m_contextMenu->addAction(m_selectAll);
    connect(m_contextMenu, &QMenu::aboutToShow, m_selectAll,
            [this] { m_selectAll->setText(kSelectAllInContextMenu); });
    connect(m_contextMenu, &QMenu::aboutToHide, m_selectAll,
            [this] { m_selectAll->setText(kSelectAllInEditMenu); });
    connect(&m_editor, &EditorPane::customContextMenuRequested, m_contextMenu,
            [this](const QPoint& at) { m_contextMenu->popup(m_editor.mapToGlobal(at)); });
}

} // namespace varko::maintree
