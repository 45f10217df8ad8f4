#pragma once

#include <QFrame>

class QLabel;
class QTreeView;
class QTreeWidget;

namespace varko::maintree {

class ArrowButton;
class RotatedLabel;

// The collapsible strip at the left: a title bar with its arrow button, the upward label, and
// the views that share the rest of the panel (the two trees and any added). It starts collapsed,
// every view hidden.
class NavigationPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kCollapsedWidth = 19;

    explicit NavigationPanel(QWidget* parent = nullptr);
    // The splitter may close the panel to nothing, so its content asks for no width.
    QSize minimumSizeHint() const override;
    // Lays out another view below the title bar, sharing the room with the trees; it starts hidden.
    void addPage(QWidget* view);

    QLabel* titleBar = nullptr;
    ArrowButton* arrow = nullptr;
    RotatedLabel* sideLabel = nullptr;
    QTreeWidget* browserTree = nullptr;
    QTreeView* hierarchyTree = nullptr;
};

} // namespace varko::maintree
