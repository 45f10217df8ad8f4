#include "varko/crossview/arrow_item.h"

#include <QPainter>
#include <QPen>

namespace varko::crossview {

ArrowItem::ArrowItem(const QPainterPath& path, const QColor& colour, double width)
    : m_path(path), m_bounds(path.controlPointRect().adjusted(-width, -width, width, width)),
      m_colour(colour), m_width(width) {}

void ArrowItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setPen(QPen(m_colour, m_width));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);
}

} // namespace varko::crossview
