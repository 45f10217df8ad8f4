#pragma once

#include "varko/maintree/crossview/graph_picture.h"

#include <QGraphicsView>
#include <QPoint>

#include <memory>

namespace varko::maintree {

class SceneFiller;

// Draws a tech tree as a layered graph: boxes for the objects, arrows from each requirement to
// the object that needs it, the circles of requirements in the error colour. Pans by dragging,
// with the scroll bars and the arrow keys; zooms with Ctrl+wheel, Ctrl++ and Ctrl+-. A click on a
// box emits entrySelected with the line of the object's entry.
class TechTreeGraphView : public QGraphicsView {
    Q_OBJECT

public:
    explicit TechTreeGraphView(QWidget* parent = nullptr);
    ~TechTreeGraphView() override;

    // Replaces what is shown; the items reach the scene in slices, and `drawn` follows.
    void showPicture(std::shared_ptr<const GraphPicture> picture);
    // True until every item of the latest picture is in the scene.
    bool drawing() const;

    double zoom() const { return transform().m11(); }
    void zoomIn();
    void zoomOut();
    // The whole tree in the window (never larger than life).
    void zoomToFit();
    // Brings an object's box into view.
    void showNode(std::size_t node);
    // Fills the object's box in the palette's highlight colour (the item current in the list);
    // the previous one goes back to its own colours.
    void setCurrentNode(std::size_t node);
    static constexpr std::size_t kNoNode = static_cast<std::size_t>(-1);
    std::size_t currentNode() const { return m_current; }

signals:
    void entrySelected(int line);
    void nodeClicked(qulonglong node);
    void drawn();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void scaleBy(double factor);
    void clickAt(QPoint position);
    void markCurrent(bool highlighted);

    std::shared_ptr<const GraphPicture> m_picture;
    SceneFiller* m_filler;
    std::size_t m_current = kNoNode;
    QPoint m_pressedAt;
    bool m_pressed = false;
};

} // namespace varko::maintree
