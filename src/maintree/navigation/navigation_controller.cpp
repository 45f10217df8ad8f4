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
    addPage(m_widgets.hierarchyPage, kHierarchyTitle, m_widgets.panel->hierarchyTree);
    addPage(m_widgets.browserPage, kBrowserTitle, m_widgets.panel->browserTree);
}

void NavigationController::addPage(QAction* button, const QString& title, QWidget* view) {
    m_pages.push_back({button, title, view});
    // Toggled, not triggered: a screen reader's toggle checks the button without triggering it.
    connect(button, &QAction::toggled, this, [this, view](bool chosen) {
        if (chosen)
            showPage(view);
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
    for (const Page& page : m_pages)
        page.view->hide();
    m_expandedWidth = panel.width();
    panel.setFixedWidth(NavigationPanel::kCollapsedWidth);
    m_widgets.spacer->show();
    m_widgets.splitter->hide();
}

void NavigationController::expand() {
    NavigationPanel& panel = *m_widgets.panel;
    for (const Page& page : m_pages) {
        if (page.button->isChecked()) {
            panel.titleBar->setText(page.title);
            page.view->show();
        }
    }
    panel.arrow->showPanelState(PanelState::Expanded);
    panel.setFixedWidth(m_expandedWidth);
    m_widgets.splitter->show();
    m_widgets.spacer->hide();
}

void NavigationController::showHierarchyPage() {
    showPage(m_widgets.panel->hierarchyTree);
}

void NavigationController::showBrowserPage() {
    showPage(m_widgets.panel->browserTree);
}

void NavigationController::showPage(const QWidget* view) {
    if (state() != PanelState::Expanded)
        return;
    for (const Page& page : m_pages) {
        if (page.view == view)
            m_widgets.panel->titleBar->setText(page.title);
        else
            page.view->hide();
    }
    for (const Page& page : m_pages) {
        if (page.view == view)
            page.view->show();
    }
}

} // namespace varko::maintree
