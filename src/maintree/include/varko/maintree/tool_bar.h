#pragma once

#include <QIcon>
#include <QList>

class QAction;
class QMainWindow;
class QToolBar;
class QToolButton;

namespace varko::maintree {

struct ToolBarItems {
    QToolBar* ToolBar1 = nullptr;
    QList<QIcon> ToolImages;
    QAction* tb_New = nullptr;
    QAction* tb_open = nullptr;
    QAction* tb_Save = nullptr;
    QAction* tb_Run = nullptr;
    // Exactly one of the two is down; tb_Hie at start.
    QAction* tb_Hie = nullptr;
    QAction* tb_Obj = nullptr;
};

// Picture-only buttons with their hints as tooltips, along the top of the window.
ToolBarItems BuildToolBar(QMainWindow& window);

// Shows one of the toolbar's pictures on a button (the Run button swaps between 3 and 6).
void SetImageIndex(const ToolBarItems& bar, QAction* button, int index);

} // namespace varko::maintree
