#pragma once

#include <QPointer>
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
    int Along(const QPointF& global) const;

    Side m_side;
    QPointer<QWidget> m_neighbour;
    int m_pressedAt = -1;
    int m_startSize = 0;
};

} // namespace varko::maintree
