#pragma once

#include <QPointer>
#include <QRubberBand>
#include <QWidget>

namespace varko::maintree {

// A thin bar that resizes its neighbour by dragging: across for a panel on its left, upwards for
// a panel below it.
class EdgeSplitter : public QWidget {
    Q_OBJECT

public:
    enum class Side { Left, Below };
    static constexpr int kThickness = 3;
    static constexpr int kMinimumSize = 30;

    EdgeSplitter(Side side, QWidget* neighbour, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int along(const QPointF& global) const;
    // The neighbour's size for the pointer's position: held within the room the parent leaves;
    // a panel at the left closes to 0 at kMinimumSize or less, the list below keeps that minimum.
    int sizeAt(const QPointF& global) const;
    void showLine(int size);

    Side m_side;
    QPointer<QWidget> m_neighbour;
    bool m_dragging = false;
    int m_pressedAt = 0;
    int m_startSize = 0;
    // The line that follows the pointer during a drag; the size changes on release.
    QRubberBand* m_line = nullptr;
};

} // namespace varko::maintree
