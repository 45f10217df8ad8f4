#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace varko::maintree {

// The items of the main menu that run a command (the File menu's New only opens its submenu).
struct MenuItems {
    QAction* mi_New = nullptr;
    QAction* mi_newODF = nullptr;
    QAction* mi_newtt = nullptr;
    QAction* mi_Open = nullptr;
    QAction* mi_Save = nullptr;
    QAction* mi_SaveAs = nullptr;
    QAction* mi_Bye = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* m_Help = nullptr;
    QAction* VisitWebsite1 = nullptr;
    QAction* About1 = nullptr;
};

struct PopupItems {
    QMenu* EditorPopup = nullptr;
    QAction* Undo2 = nullptr;
    QAction* Cut2 = nullptr;
    QAction* Copy2 = nullptr;
    QAction* Paste2 = nullptr;
    QAction* SelectAll2 = nullptr;
};

// Builds "&File", "Edit" and "&Help" as the window's menu bar.
MenuItems BuildMainMenu(QMainWindow& window);
// The editor's context menu.
PopupItems BuildEditorPopup(QWidget& owner);

} // namespace varko::maintree
