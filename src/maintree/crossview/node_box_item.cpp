#include "varko/maintree/crossview/node_box_item.h"

#include "varko/maintree/crossview/graph_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace varko::maintree {

namespace {

constexpr double kTextPadding = 6;

} // namespace

NodeBoxItem::NodeBoxItem(const QRectF& rect, const QString& name, int line, std::size_t node,
                         const Look& look)
    : m_rect(rect), m_name(name), m_line(line), m_node(node), m_look(look) {
    setToolTip(QStringLiteral("%1 (line %2)").arg(name).arg(line));
}

void NodeBoxItem::setLook(const Look& look) {
    prepareGeometryChange(); // the border's width may change
    m_look = look;
}

QRectF NodeBoxItem::boundingRect() const {
    const double half = m_look.borderWidth / 2;
    return m_rect.adjusted(-half, -half, half, half);
}

void NodeBoxItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    const bool small = option->levelOfDetailFromTransform(painter->worldTransform()) < kSmallestDetailedScale;
    // The view does not save the painter's state around each item: every item sets what it uses.
    painter->setRenderHint(QPainter::Antialiasing, !small);
    painter->setPen(QPen(m_look.border, m_look.borderWidth));
    painter->setBrush(m_look.fill);
    painter->drawRect(m_rect);
    if (small)
        return;
    const QRectF textRect = m_rect.adjusted(kTextPadding, 0, -kTextPadding, 0);
    if (m_shown.isNull())
        m_shown = QFontMetricsF(painter->font()).elidedText(m_name, Qt::ElideMiddle, textRect.width());
    painter->setPen(m_look.text);
    painter->drawText(textRect, Qt::AlignCenter, m_shown);
}

} // namespace varko::maintree
