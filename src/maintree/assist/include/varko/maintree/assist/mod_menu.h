#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace varko::maintree {

// The commands of the "&Mod" menu; the owner connects each to whoever does the work.
struct ModMenuItems {
    QMenu* menu = nullptr;
    QAction* run = nullptr;            // "Run", F9
    QAction* checkMod = nullptr;       // "Check Mod", Ctrl+Shift+M
    QAction* goToFile = nullptr;       // "Go to File", F12
    QAction* back = nullptr;           // "Back", Alt+Left
    QAction* findReferences = nullptr; // "Find References", Shift+F12
    QAction* quickFix = nullptr;       // "Quick Fix...", Ctrl+.
    QAction* complete = nullptr;       // "Complete", Ctrl+Space
};

// Inserts the menu into the bar before the given menu action (at the end when null).
ModMenuItems BuildModMenu(QMenuBar& bar, QAction* before);

} // namespace varko::maintree
