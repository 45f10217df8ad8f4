#pragma once

class QAction;
class QMainWindow;

namespace varko::maintree {

class EditActions;

// The items of the main menu that run a command of their own; the Edit menu's editing commands
// are the editor's EditActions.
struct MainMenu {
    // The File menu's New opens its submenu; its key, Ctrl+N, makes a new ODF document.
    QAction* newMenu = nullptr;
    QAction* newOdf = nullptr;
    QAction* newTechTree = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* bye = nullptr;
    QAction* preferences = nullptr;
    QAction* help = nullptr;
    QAction* visitWebsite = nullptr;
    QAction* about = nullptr;
};

// Builds "&File", "Edit" and "&Help" as the window's menu bar.
MainMenu BuildMainMenu(QMainWindow& window, const EditActions& edit);

} // namespace varko::maintree
