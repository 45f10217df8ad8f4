#pragma once

#include "varko/maintree/crossview/graph_picture.h"
#include "varko/maintree/crossview/node_box_item.h"

#include <QColor>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class QGraphicsItem;
class QGraphicsScene;

namespace varko::maintree {

// Puts a picture's boxes and arrows into a scene in slices of a few milliseconds, each from a
// zero timer, so the GUI thread stays free for input however large the tree. They show together
// once all are there.
class SceneFiller : public QObject {
    Q_OBJECT

public:
    struct Colours {
        NodeBoxItem::Look box;
        NodeBoxItem::Look circleBox;
        QColor arrow;
        QColor circleArrow;
    };

    SceneFiller(QGraphicsScene* scene, QObject* parent = nullptr);

    // Empties the scene and starts on the picture; a fill under way is dropped.
    void fill(std::shared_ptr<const GraphPicture> picture, const Colours& colours);
    bool filling() const { return m_timer.isActive(); }
    // Per node of the picture, in node order, as far as they are in the scene.
    const std::vector<NodeBoxItem*>& boxes() const { return m_boxes; }
    // The look a node's box has in the picture being filled.
    const NodeBoxItem::Look& lookOf(std::size_t node) const;

signals:
    // Everything of the latest picture is in the scene.
    void filled();

private:
    void step();
    void addBox(std::size_t node);
    void addArrow(std::size_t edge);

    QGraphicsScene* m_scene;
    QGraphicsItem* m_layer = nullptr; // owned by the scene
    QTimer m_timer;
    std::shared_ptr<const GraphPicture> m_picture;
    Colours m_colours;
    std::vector<NodeBoxItem*> m_boxes;
    std::size_t m_next = 0; // boxes first, then arrows
};

} // namespace varko::maintree
