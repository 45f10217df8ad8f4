#include "varko/maintree/navigation/navigation_controller.h"

#include "varko/maintree/navigation/navigation_panel.h"

#include <QAction>
#include <QLabel>
#include <QTreeView>
#include <QTreeWidget>

namespace varko::maintree {

namespace {

const QString kHierarchyTitle = QStringLiteral("Script Hierarchy");
const QString kBrowserTitle = QStringLiteral("Object Browser");

} // namespace

NavigationController::NavigationController(const NavigationWidgets& widgets, QObject* parent)
    : QObject(parent), m_widgets(widgets) {
    connect(m_widgets.panel->arrow, &QAbstractButton::clicked, this,
            &NavigationController::toggleNavigationPanel);
    // Toggled, not triggered: a screen reader's toggle checks the button without triggering it.
    connect(m_widgets.hierarchyPage, &QAction::toggled, this, [this](bool chosen) {
        if (chosen)
            showHierarchyPage();
    });
    connect(m_widgets.browserPage, &QAction::toggled, this, [this](bool chosen) {
        if (chosen)
            showBrowserPage();
    });
}

PanelState NavigationController::state() const {
    return m_widgets.panel->arrow->panelState();
}

void NavigationController::toggleNavigationPanel() {
    if (state() == PanelState::Expanded)
        collapse();
    else
        expand();
}

void NavigationController::collapse() {
    NavigationPanel& panel = *m_widgets.panel;
    panel.arrow->showPanelState(PanelState::Collapsed);
    panel.titleBar->clear();
    panel.browserTree->hide();
    panel.hierarchyTree->hide();
    m_expandedWidth = panel.width();
    panel.setFixedWidth(NavigationPanel::kCollapsedWidth);
    m_widgets.spacer->show();
    m_widgets.splitter->hide();
}

void NavigationController::expand() {
    NavigationPanel& panel = *m_widgets.panel;
    if (m_widgets.hierarchyPage->isChecked()) {
        panel.titleBar->setText(kHierarchyTitle);
        panel.hierarchyTree->show();
    }
    if (m_widgets.browserPage->isChecked()) {
        panel.titleBar->setText(kBrowserTitle);
        panel.browserTree->show();
    }
    panel.arrow->showPanelState(PanelState::Expanded);
    panel.setFixedWidth(m_expandedWidth);
    m_widgets.splitter->show();
    m_widgets.spacer->hide();
}

void NavigationController::showHierarchyPage() {
    if (state() == PanelState::Expanded)
        showPage(kHierarchyTitle, m_widgets.panel->hierarchyTree, m_widgets.panel->browserTree);
}

void NavigationController::showBrowserPage() {
    if (state() == PanelState::Expanded)
        showPage(kBrowserTitle, m_widgets.panel->browserTree, m_widgets.panel->hierarchyTree);
}

void NavigationController::showPage(const QString& title, QWidget* page, QWidget* other) {
    m_widgets.panel->titleBar->setText(title);
    other->hide();
    page->show();
}

} // namespace varko::maintree
