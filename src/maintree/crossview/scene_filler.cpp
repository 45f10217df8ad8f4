#include "varko/maintree/crossview/scene_filler.h"

#include "varko/maintree/crossview/arrow_item.h"

#include <QElapsedTimer>
#include <QGraphicsScene>

namespace varko::maintree {

namespace {

constexpr qint64 kSliceNanoseconds = 4'000'000;
// Reading the clock costs more than adding one item.
constexpr std::size_t kItemsBetweenClockReads = 32;
constexpr double kArrowZ = -2;
constexpr double kCircleArrowZ = -1;

// The parent of a picture's items. It stays hidden while they come in, so the scene neither
// tracks nor repaints what changes until the whole picture is there.
class LayerItem : public QGraphicsItem {
public:
    LayerItem() {
        setFlag(QGraphicsItem::ItemHasNoContents);
        hide();
    }
    QRectF boundingRect() const override { return {}; }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
};

} // namespace

SceneFiller::SceneFiller(QGraphicsScene* scene, QObject* parent) : QObject(parent), m_scene(scene) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &SceneFiller::step);
}

void SceneFiller::fill(std::shared_ptr<const GraphPicture> picture, const Colours& colours) {
    m_timer.stop();
    m_scene->clear();
    m_layer = nullptr;
    m_picture = std::move(picture);
    m_colours = colours;
    m_boxes.clear();
    m_next = 0;
    if (!m_picture)
        return;
    m_scene->setSceneRect(m_picture->bounds);
    m_layer = new LayerItem;
    m_scene->addItem(m_layer);
    m_boxes.reserve(m_picture->boxes.size());
    m_timer.start();
}

void SceneFiller::step() {
    const std::size_t boxCount = m_picture->boxes.size();
    const std::size_t total = boxCount + m_picture->arrows.size();
    QElapsedTimer clock;
    clock.start();
    while (m_next < total) {
        if (m_next < boxCount)
            addBox(m_next);
        else
            addArrow(m_next - boxCount);
        ++m_next;
        if (m_next % kItemsBetweenClockReads == 0 && clock.nsecsElapsed() > kSliceNanoseconds)
            return;
    }
    m_timer.stop();
    m_layer->show();
    emit filled();
}

const NodeBoxItem::Look& SceneFiller::lookOf(std::size_t node) const {
    return m_picture->nodeOnCircle[node] ? m_colours.circleBox : m_colours.box;
}

void SceneFiller::addBox(std::size_t node) {
    const compiler::TechTreeNode& entry = m_picture->graph.nodes[node];
    auto* box = new NodeBoxItem(m_picture->boxes[node], QString::fromLatin1(entry.object), entry.line, node,
                                lookOf(node));
    box->setParentItem(m_layer);
    m_boxes.push_back(box);
}

void SceneFiller::addArrow(std::size_t edge) {
    const bool onCircle = m_picture->edgeOnCircle[edge] != 0;
    auto* arrow = new ArrowItem(m_picture->arrows[edge], onCircle ? m_colours.circleArrow : m_colours.arrow,
                                onCircle ? 2.0 : 1.0);
    arrow->setZValue(onCircle ? kCircleArrowZ : kArrowZ);
    arrow->setParentItem(m_layer);
}

} // namespace varko::maintree
