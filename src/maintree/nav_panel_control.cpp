#include "varko/maintree/nav_panel_control.h"

#include "varko/maintree/nav_panel.h"

#include <QAction>
#include <QLabel>

namespace varko::maintree {

namespace {

const QString kHierarchyTitle = QStringLiteral("Script Hierarchy");
const QString kBrowserTitle = QStringLiteral("Object Browser");

} // namespace

NavPanelControl::NavPanelControl(const NavPanelWidgets& widgets, int& navWidth)
    : m_widgets(widgets), m_navWidth(navWidth) {
    // Toggled, not triggered: a screen reader's toggle checks the button without triggering it.
    connect(m_widgets.tb_Hie, &QAction::toggled, this, [this](bool chosen) {
        if (chosen)
            tb_HieClick();
    });
    connect(m_widgets.tb_Obj, &QAction::toggled, this, [this](bool chosen) {
        if (chosen)
            tb_ObjClick();
    });
}

bool NavPanelControl::Expanded() const {
    return m_widgets.Spd_arr->panelState() == PanelState::Expanded;
}

void NavPanelControl::Spd_arrClick() {
    if (Expanded())
        Collapse();
    else
        Expand();
}

void NavPanelControl::Collapse() {
    m_widgets.Spd_arr->showPanelState(PanelState::Collapsed);
    m_widgets.NavTopPan->clear();
    m_widgets.TreeObj->hide();
    m_widgets.TreeHie->hide();
    m_navWidth = m_widgets.NavPanel->width();
    m_widgets.NavPanel->setFixedWidth(kCollapsedWidth);
    m_widgets.navspcpan->show();
    m_widgets.Splitnav->hide();
}

void NavPanelControl::Expand() {
    if (m_widgets.tb_Hie->isChecked()) {
        m_widgets.NavTopPan->setText(kHierarchyTitle);
        m_widgets.TreeHie->show();
    }
    if (m_widgets.tb_Obj->isChecked()) {
        m_widgets.NavTopPan->setText(kBrowserTitle);
        m_widgets.TreeObj->show();
    }
    m_widgets.Spd_arr->showPanelState(PanelState::Expanded);
    m_widgets.NavPanel->setFixedWidth(m_navWidth);
    m_widgets.Splitnav->show();
    m_widgets.navspcpan->hide();
}

void NavPanelControl::tb_HieClick() {
    if (Expanded())
        ShowPage(kHierarchyTitle, m_widgets.TreeHie, m_widgets.TreeObj);
}

void NavPanelControl::tb_ObjClick() {
    if (Expanded())
        ShowPage(kBrowserTitle, m_widgets.TreeObj, m_widgets.TreeHie);
}

void NavPanelControl::ShowPage(const QString& title, QWidget* page, QWidget* other) {
    m_widgets.NavTopPan->setText(title);
    other->hide();
    page->show();
}

} // namespace varko::maintree
