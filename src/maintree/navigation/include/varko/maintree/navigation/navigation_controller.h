#pragma once

#include "varko/maintree/navigation/arrow_button.h"

#include <QObject>

class QAction;
class QString;
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
// button and the two page buttons (chosen by a click or by a screen reader's toggle). A collapse
// keeps the width the panel then has for the next expansion.
class NavigationController : public QObject {
    Q_OBJECT

public:
    static constexpr int kExpandedWidth = 180;

    explicit NavigationController(const NavigationWidgets& widgets, QObject* parent = nullptr);

    void toggleNavigationPanel();
    void showHierarchyPage();
    void showBrowserPage();

    PanelState state() const;
    int expandedWidth() const { return m_expandedWidth; }

private:
    void collapse();
    void expand();
    // While expanded the button that is down chooses which tree is on show.
    void showPage(const QString& title, QWidget* page, QWidget* other);

    NavigationWidgets m_widgets;
    int m_expandedWidth = kExpandedWidth;
};

} // namespace varko::maintree
