#include "varko/maintree/navigation/navigation_panel.h"

#include "varko/maintree/navigation/arrow_button.h"
#include "varko/maintree/navigation/rotated_label.h"

#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varko::maintree {

namespace {

constexpr int kTopHeight = 18;
constexpr int kTreeIndent = 19;

template <typename Tree> Tree* MakeTree(const char* name, const QString& accessibleName, QWidget& parent) {
    auto* tree = new Tree(&parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setAccessibleName(accessibleName);
    tree->setHeaderHidden(true);
    tree->setFrameShape(QFrame::NoFrame);
    tree->setIndentation(kTreeIndent);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->hide();
    return tree;
}

} // namespace

NavigationPanel::NavigationPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("navigationPanel"));
    setAccessibleName(QStringLiteral("Navigation"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedWidth(kCollapsedWidth);

    sideLabel = new RotatedLabel(QStringLiteral("VARKO >>>"), this);
    sideLabel->setObjectName(QStringLiteral("sideLabel"));
    const int labelLength = sideLabel->fontMetrics().horizontalAdvance(sideLabel->caption()) + 4;
    sideLabel->setGeometry(0, 24, 16, std::max(79, labelLength));

    titleBar = new QLabel(this);
    titleBar->setObjectName(QStringLiteral("titleBar"));
    titleBar->setAlignment(Qt::AlignCenter);
    titleBar->setFixedHeight(kTopHeight);
    arrow = new ArrowButton(titleBar);
    arrow->setObjectName(QStringLiteral("arrow"));
    arrow->setAccessibleDescription(QStringLiteral("Opens or closes the navigation panel"));
    arrow->setGeometry(0, 0, 15, kTopHeight);

    browserTree = MakeTree<QTreeWidget>("browserTree", QStringLiteral("Object Browser"), *this);
    hierarchyTree = MakeTree<QTreeView>("hierarchyTree", QStringLiteral("Script Hierarchy"), *this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    column->setSpacing(0);
    // The panel's width is set from outside (collapsed, expanded, dragged down to nothing).
    column->setSizeConstraint(QLayout::SetNoConstraint);
    column->addWidget(titleBar);
    column->addWidget(browserTree, 1);
    column->addWidget(hierarchyTree, 1);
    column->addStretch();
}

void NavigationPanel::addPage(QWidget* view) {
    view->setParent(this);
    view->hide();
    auto* column = static_cast<QVBoxLayout*>(layout());
    // Before the closing stretch, which takes the room while every view is hidden.
    column->insertWidget(column->count() - 1, view, 1);
}

QSize NavigationPanel::minimumSizeHint() const {
    return {0, QFrame::minimumSizeHint().height()};
}

} // namespace varko::maintree
