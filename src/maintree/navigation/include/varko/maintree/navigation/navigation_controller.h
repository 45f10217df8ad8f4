#pragma once

#include "varko/maintree/navigation/arrow_button.h"

#include <QObject>
#include <QString>

#include <vector>

class QAction;
class QWidget;

namespace varko::maintree {

class NavigationPanel;

// The controls that the navigation panel's states show, hide and size.
struct NavigationWidgets {
    NavigationPanel* panel = nullptr;
    // Beside the expanded panel: the splitter that sizes it; beside the collapsed one: a spacer.
    QWidget* splitter = nullptr;
    QWidget* spacer = nullptr;
    // The grouped page buttons: exactly one of them is checked.
    QAction* hierarchyPage = nullptr;
    QAction* browserPage = nullptr;
};

// Collapses and expands the navigation panel and switches its page, answering the panel's arrow
// button and the page buttons (chosen by a click or by a screen reader's toggle). A collapse
// keeps the width the panel then has for the next expansion.
class NavigationController : public QObject {
    Q_OBJECT

public:
    static constexpr int kExpandedWidth = 180;

    explicit NavigationController(const NavigationWidgets& widgets, QObject* parent = nullptr);

    void toggleNavigationPanel();
    void showHierarchyPage();
    void showBrowserPage();
    // Another page, shown while its button (grouped with the others) is down; the view must be
    // laid out in the panel (NavigationPanel::addPage).
    void addPage(QAction* button, const QString& title, QWidget* view);

    PanelState state() const;
    int expandedWidth() const { return m_expandedWidth; }

private:
    void collapse();
    void expand();
    struct Page {
        QAction* button = nullptr;
        QString title;
        QWidget* view = nullptr;
    };

    // While expanded the button that is down chooses which view is on show.
    void showPage(const QWidget* view);

    NavigationWidgets m_widgets;
    std::vector<Page> m_pages;
    int m_expandedWidth = kExpandedWidth;
};

} // namespace varko::maintree
