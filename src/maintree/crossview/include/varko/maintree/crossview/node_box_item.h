#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>

#include <cstddef>

namespace varko::maintree {

// One object of the tech tree: a box with its name. The name is left out while the box is drawn
// too small to read it, so a whole large tree zoomed out paints quickly.
class NodeBoxItem : public QGraphicsItem {
public:
    static constexpr int Type = QGraphicsItem::UserType + 1;

    struct Look {
        QColor fill;
        QColor border;
        QColor text;
        double borderWidth = 1;
    };

    NodeBoxItem(const QRectF& rect, const QString& name, int line, std::size_t node, const Look& look);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    const QString& name() const { return m_name; }
    int line() const { return m_line; }
    std::size_t node() const { return m_node; }
    const Look& look() const { return m_look; }
    void setLook(const Look& look);

private:
    QRectF m_rect;
    QString m_name;
    QString m_shown; // the name elided to the box, made at the first paint
    int m_line;
    std::size_t m_node;
    Look m_look;
};

} // namespace varko::maintree
