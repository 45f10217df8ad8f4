#include "varko/maintree/crossview/tech_tree_graph_view.h"

#include "varko/maintree/crossview/node_box_item.h"
#include "varko/maintree/crossview/scene_filler.h"
#include "varko/maintree/editing/editor_colours.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace varko::maintree {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kSmallestZoom = 0.01;
constexpr double kLargestZoom = 8;

SceneFiller::Colours ColoursOf(const QPalette& palette) {
    const QColor error = maintree::ErrorColour(palette);
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    // Arrows half way between the text and the background, so boxes stand out on any theme.
    return {{base, text, text, 1}, {base, error, text, 2.5}, maintree::Blend(base, text, 0.5), error};
}

} // namespace

TechTreeGraphView::TechTreeGraphView(QWidget* parent) : QGraphicsView(parent), m_filler(nullptr) {
    auto* scene = new QGraphicsScene(this);
    // Items arrive in slices; an index would be rebuilt after each one, and the layered layout is
    // cheap to scan.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(scene);
    m_filler = new SceneFiller(scene, this);
    connect(m_filler, &SceneFiller::filled, this, [this] {
        markCurrent(true);
        emit drawn();
    });
    setAccessibleName(QStringLiteral("Graph"));
    setFocusPolicy(Qt::StrongFocus);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

TechTreeGraphView::~TechTreeGraphView() = default;

void TechTreeGraphView::showPicture(std::shared_ptr<const GraphPicture> picture) {
    m_picture = std::move(picture);
    m_current = kNoNode;
    m_filler->fill(m_picture, ColoursOf(palette()));
}

bool TechTreeGraphView::drawing() const {
    return m_filler->filling();
}

void TechTreeGraphView::scaleBy(double factor) {
    const double target = std::clamp(zoom() * factor, kSmallestZoom, kLargestZoom);
    scale(target / zoom(), target / zoom());
}

void TechTreeGraphView::zoomIn() {
    scaleBy(kZoomStep);
}

void TechTreeGraphView::zoomOut() {
    scaleBy(1 / kZoomStep);
}

void TechTreeGraphView::zoomToFit() {
    if (!m_picture)
        return;
    fitInView(m_picture->bounds, Qt::KeepAspectRatio);
    const double fitted = std::clamp(zoom(), kSmallestZoom, 1.0);
    scale(fitted / zoom(), fitted / zoom());
}

void TechTreeGraphView::showNode(std::size_t node) {
    if (m_picture && node < m_picture->boxes.size())
        centerOn(m_picture->boxes[node].center());
}

void TechTreeGraphView::setCurrentNode(std::size_t node) {
    markCurrent(false);
    m_current = node;
    markCurrent(true);
}

// Boxes reach the scene in slices: one not there yet is marked once the picture is drawn.
void TechTreeGraphView::markCurrent(bool highlighted) {
    const std::vector<NodeBoxItem*>& boxes = m_filler->boxes();
    if (m_current >= boxes.size())
        return;
    NodeBoxItem::Look look = m_filler->lookOf(m_current);
    if (highlighted) {
        look.fill = palette().color(QPalette::Highlight);
        look.text = palette().color(QPalette::HighlightedText);
    }
    boxes[m_current]->setLook(look);
}

// A new theme draws the picture again in its colours.
void TechTreeGraphView::changeEvent(QEvent* event) {
    QGraphicsView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_picture)
        m_filler->fill(m_picture, ColoursOf(palette()));
}

void TechTreeGraphView::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)) {
        zoomIn();
    } else if (control && event->key() == Qt::Key_Minus) {
        zoomOut();
    } else {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TechTreeGraphView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps != 0)
        scaleBy(std::pow(kZoomStep, steps / 120.0));
    event->accept();
}

void TechTreeGraphView::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

// A press and release in one place is a click; one that moved was a drag that panned the view.
void TechTreeGraphView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       (at - m_pressedAt).manhattanLength() < QApplication::startDragDistance();
    m_pressed = false;
    QGraphicsView::mouseReleaseEvent(event);
    if (click)
        clickAt(at);
}

void TechTreeGraphView::clickAt(QPoint position) {
    for (QGraphicsItem* item : items(position)) {
        if (item->type() == NodeBoxItem::Type) {
            const auto* box = static_cast<NodeBoxItem*>(item);
            emit nodeClicked(box->node());
            emit entrySelected(box->line());
            return;
        }
    }
}

} // namespace varko::maintree
