#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QPainterPath>

namespace varko::maintree {

// One requirement: an arrow from the requirement's box to the box of the object that needs it.
// Its bounds come from the path's control points, so the scene never strokes a path to learn where
// an arrow is (QGraphicsPathItem does, and that alone made the first paint of a large tree slow).
class ArrowItem : public QGraphicsItem {
public:
    static constexpr int Type = QGraphicsItem::UserType + 2;

    ArrowItem(const QPainterPath& path, const QColor& colour, double width);

    int type() const override { return Type; }
    QRectF boundingRect() const override { return m_bounds; }
    QPainterPath shape() const override { return m_path; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    const QPainterPath& path() const { return m_path; }
    const QColor& colour() const { return m_colour; }

private:
    QPainterPath m_path;
    QRectF m_bounds;
    QColor m_colour;
    double m_width;
};

} // namespace varko::maintree
