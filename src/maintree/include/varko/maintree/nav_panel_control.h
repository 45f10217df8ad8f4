#pragma once

#include <QObject>

class QAction;
class QLabel;
class QString;
class QWidget;

namespace varko::maintree {

class ArrowButton;

// The controls that the navigation panel's states show, hide and size.
struct NavPanelWidgets {
    QWidget* NavPanel = nullptr;
    ArrowButton* Spd_arr = nullptr;
    QLabel* NavTopPan = nullptr;
    QWidget* TreeHie = nullptr;
    QWidget* TreeObj = nullptr;
    QWidget* Splitnav = nullptr;
    QWidget* navspcpan = nullptr;
    // The grouped page buttons: exactly one of them is checked.
    QAction* tb_Hie = nullptr;
    QAction* tb_Obj = nullptr;
};

// Collapses and expands the navigation panel and switches its page. The arrow button shows the
// state. The expanded width lives in `navWidth`, which each collapse updates with the width the
// panel then has. A page button chosen by a click or by a screen reader's toggle switches the page.
class NavPanelControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kCollapsedWidth = 19;

    NavPanelControl(const NavPanelWidgets& widgets, int& navWidth);

    void Spd_arrClick();
    void tb_HieClick();
    void tb_ObjClick();

    bool Expanded() const;

private:
    void Collapse();
    void Expand();
    // While expanded the button that is down chooses which tree is on show.
    void ShowPage(const QString& title, QWidget* page, QWidget* other);

    NavPanelWidgets m_widgets;
    int& m_navWidth;
};

} // namespace varko::maintree
