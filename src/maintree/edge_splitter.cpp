#include "varko/maintree/edge_splitter.h"

#include <QMouseEvent>

namespace varko::maintree {

EdgeSplitter::EdgeSplitter(Side side, QWidget* neighbour, QWidget* parent)
    : QWidget(parent), m_side(side), m_neighbour(neighbour) {
    if (side == Side::Left) {
        setFixedWidth(kThickness);
        setCursor(Qt::SplitHCursor);
    } else {
        setFixedHeight(kThickness);
        setCursor(Qt::SplitVCursor);
    }
}

int EdgeSplitter::Along(const QPointF& global) const {
    return m_side == Side::Left ? qRound(global.x()) : -qRound(global.y());
}

void EdgeSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_neighbour)
        return;
    m_pressedAt = Along(event->globalPosition());
    m_startSize = m_side == Side::Left ? m_neighbour->width() : m_neighbour->height();
}

void EdgeSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressedAt < 0 || !m_neighbour || !parentWidget())
        return;
    const int room = m_side == Side::Left ? parentWidget()->width() : parentWidget()->height();
    const int size = qBound(kMinimumSize, m_startSize + Along(event->globalPosition()) - m_pressedAt,
                            std::max(kMinimumSize, room - kMinimumSize));
    if (m_side == Side::Left)
        m_neighbour->setFixedWidth(size);
    else
        m_neighbour->setFixedHeight(size);
}

void EdgeSplitter::mouseReleaseEvent(QMouseEvent*) {
    m_pressedAt = -1;
}

} // namespace varko::maintree
