#include "varko/maintree/crossview/arrow_item.h"

#include "varko/maintree/crossview/graph_picture.h"

#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>

namespace varko::maintree {

ArrowItem::ArrowItem(const QPainterPath& path, const QColor& colour, double width)
    : m_path(path), m_bounds(path.controlPointRect().adjusted(-width, -width, width, width)),
      m_colour(colour), m_width(width) {}

void ArrowItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    // The view does not save the painter's state around each item: every item sets what it uses.
    const bool small = option->levelOfDetailFromTransform(painter->worldTransform()) < kSmallestDetailedScale;
    painter->setRenderHint(QPainter::Antialiasing, !small);
    painter->setPen(QPen(m_colour, m_width));
    if (small) {
        painter->drawLine(m_path.elementAt(0), m_path.elementAt(m_path.elementCount() - 2));
        return;
    }
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(m_path);
}

} // namespace varko::maintree
