#pragma once

#include "varko/maintree/checkrun/run_button_state.h"

class QAction;
class QIcon;
class QMainWindow;
class QToolBar;

namespace varko::maintree {

// The toolbar along the top of the window: picture-only buttons with their hints as tooltips.
struct MainToolBar {
    QToolBar* bar = nullptr;
    QAction* newDocument = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* run = nullptr;
    // The navigation panel's pages: exactly one is down, the hierarchy's at start.
    QAction* hierarchyPage = nullptr;
    QAction* browserPage = nullptr;
};

MainToolBar BuildToolBar(QMainWindow& window);

// Another navigation page's button, after the others and in their group; its caption is its hint.
QAction* AddPageButton(const MainToolBar& items, const char* name, const char* caption, const QIcon& picture);

// The Run button's picture and hint: a green triangle and "Run debugger..." while idle, a red
// square and "Stop debugger..." while a run goes on.
void ShowRunButtonState(QAction& run, RunButtonState state);

} // namespace varko::maintree
