#include "varko/maintree/nav_panel.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
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

ArrowButton::ArrowButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    showPanelState(PanelState::Collapsed);
}

void ArrowButton::showPanelState(PanelState state) {
    m_state = state;
    const bool collapsed = state == PanelState::Collapsed;
    setText(collapsed ? QStringLiteral("4") : QStringLiteral("3"));
    setAccessibleName(collapsed ? QStringLiteral("Show navigation panel")
                                : QStringLiteral("Hide navigation panel"));
    update();
}

void ArrowButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().buttonText());
    const QPointF centre = QRectF(rect()).center();
    const qreal half = 3.5;
    if (m_state == PanelState::Expanded)
        painter.drawPolygon(QPolygonF({{centre.x() + half / 2, centre.y() - half},
                                       {centre.x() + half / 2, centre.y() + half},
                                       {centre.x() - half, centre.y()}}));
    else
        painter.drawPolygon(QPolygonF({{centre.x() - half / 2, centre.y() - half},
                                       {centre.x() - half / 2, centre.y() + half},
                                       {centre.x() + half, centre.y()}}));
}

RotatedLabel::RotatedLabel(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(caption);
    QFont face(QStringLiteral("Verdana"));
    face.setPixelSize(13);
    setFont(face);
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::gray);
    painter.translate(0, height());
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, height(), width()), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

NavPanel::NavPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("NavPanel"));
    setAccessibleName(QStringLiteral("Navigation"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedWidth(kCollapsedWidth);

    antAngleLabel1 = new RotatedLabel(QStringLiteral("VARKO >>>"), this);
    antAngleLabel1->setObjectName(QStringLiteral("antAngleLabel1"));
    const int labelLength = antAngleLabel1->fontMetrics().horizontalAdvance(antAngleLabel1->Caption()) + 4;
    antAngleLabel1->setGeometry(0, 24, 16, std::max(79, labelLength));

    NavTopPan = new QLabel(this);
    NavTopPan->setObjectName(QStringLiteral("NavTopPan"));
    NavTopPan->setAlignment(Qt::AlignCenter);
    NavTopPan->setFixedHeight(kTopHeight);
    Spd_arr = new ArrowButton(NavTopPan);
    Spd_arr->setObjectName(QStringLiteral("Spd_arr"));
    Spd_arr->setAccessibleDescription(QStringLiteral("Opens or closes the navigation panel"));
    Spd_arr->setGeometry(0, 0, 15, kTopHeight);

    TreeObj = MakeTree<QTreeWidget>("TreeObj", QStringLiteral("Object Browser"), *this);
    TreeHie = MakeTree<QTreeView>("TreeHie", QStringLiteral("Script Hierarchy"), *this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    column->setSpacing(0);
    // The panel's width is set from outside (collapsed, expanded, dragged down to nothing).
    column->setSizeConstraint(QLayout::SetNoConstraint);
    column->addWidget(NavTopPan);
    column->addWidget(TreeObj, 1);
    column->addWidget(TreeHie, 1);
    column->addStretch();
}

QSize NavPanel::minimumSizeHint() const {
    return {0, QFrame::minimumSizeHint().height()};
}

} // namespace varko::maintree
