#pragma once

class QAction;
class QMenu;
class QMenuBar;

namespace varko::maintree {

// The items of the Search menu; the owner connects each to whatever does the work (the find bar,
// the Go to Line dialog, the editor's fault marks).
struct SearchMenuItems {
    QMenu* menu = nullptr;
    QAction* find = nullptr;
    QAction* replace = nullptr;
    QAction* findNext = nullptr;
    QAction* findPrevious = nullptr;
    QAction* goToLine = nullptr;
    QAction* nextFault = nullptr;
    QAction* previousFault = nullptr;
};

// Puts "&Search" into the menu bar before the given menu's action (at the end when it is null).
SearchMenuItems BuildSearchMenu(QMenuBar& bar, QAction* before);

} // namespace varko::maintree
