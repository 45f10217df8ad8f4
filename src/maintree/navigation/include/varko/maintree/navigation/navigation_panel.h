#pragma once

#include <QFrame>

class QLabel;
class QTreeView;
class QTreeWidget;

namespace varko::maintree {

class ArrowButton;
class RotatedLabel;

// The collapsible strip at the left: a title bar with its arrow button, the upward label, and
// the two trees that share the rest of the panel. It starts collapsed, both trees hidden.
class NavigationPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kCollapsedWidth = 19;

    explicit NavigationPanel(QWidget* parent = nullptr);
    // The splitter may close the panel to nothing, so its content asks for no width.
    QSize minimumSizeHint() const override;

    QLabel* titleBar = nullptr;
    ArrowButton* arrow = nullptr;
    RotatedLabel* sideLabel = nullptr;
    QTreeWidget* browserTree = nullptr;
    QTreeView* hierarchyTree = nullptr;
};

} // namespace varko::maintree
