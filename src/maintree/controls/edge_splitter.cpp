#include "varko/maintree/controls/edge_splitter.h"

#include <QMouseEvent>

#include <algorithm>

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

int EdgeSplitter::along(const QPointF& global) const {
    return m_side == Side::Left ? qRound(global.x()) : -qRound(global.y());
}

int EdgeSplitter::sizeAt(const QPointF& global) const {
    const int room = m_side == Side::Left ? parentWidget()->width() : parentWidget()->height();
    // The splitter and the spacer beside the panel take their share of the room too.
    const int largest = std::max(kMinimumSize, room - kMinimumSize - 2 * kThickness);
    const int size = std::min(m_startSize + along(global) - m_pressedAt, largest);
    if (m_side == Side::Below)
        return std::max(size, kMinimumSize);
    return size <= kMinimumSize ? 0 : size;
}

void EdgeSplitter::showLine(int size) {
    if (!m_line)
        m_line = new QRubberBand(QRubberBand::Line, parentWidget());
    const QRect neighbour = m_neighbour->geometry();
    if (m_side == Side::Left)
        m_line->setGeometry(neighbour.left() + size, y(), kThickness, height());
    else
        m_line->setGeometry(x(), neighbour.bottom() + 1 - size - kThickness, width(), kThickness);
    m_line->show();
    m_line->raise();
}

void EdgeSplitter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_neighbour || !parentWidget())
        return;
    m_dragging = true;
    m_pressedAt = along(event->globalPosition());
    // A fixed size is the one asked for, even before the layout has applied it.
    const QSize fixed = m_neighbour->minimumSize() == m_neighbour->maximumSize() ? m_neighbour->minimumSize()
                                                                                 : m_neighbour->size();
    m_startSize = m_side == Side::Left ? fixed.width() : fixed.height();
}

void EdgeSplitter::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && m_neighbour && parentWidget())
        showLine(sizeAt(event->globalPosition()));
}

void EdgeSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    m_dragging = false;
    if (m_line)
        m_line->hide();
    if (!m_neighbour || !parentWidget())
        return;
    const int size = sizeAt(event->globalPosition());
    if (m_side == Side::Left)
        m_neighbour->setFixedWidth(size);
    else
        m_neighbour->setFixedHeight(size);
}

} // namespace varko::maintree
