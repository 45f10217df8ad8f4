#include "varko/about/about_picture.h"

#include <QLinearGradient>
#include <QPainter>

#include <array>
#include <utility>

namespace varko::about {

namespace {

// Nodes of the tree in units of the picture's width and height, root first.
constexpr std::array<QPointF, 7> kNodes = {{
    {0.50, 0.08},
    {0.26, 0.19},
    {0.74, 0.19},
    {0.26, 0.31},
    {0.50, 0.31},
    {0.74, 0.31},
    {0.50, 0.43},
}};
// Each requirement as (node, what it requires).
constexpr std::array<std::pair<int, int>, 7> kLinks = {{
    {1, 0},
    {2, 0},
    {3, 1},
    {4, 1},
    {4, 2},
    {5, 2},
    {6, 4},
}};

QPointF Scaled(QPointF unit, QSizeF size) {
    return {unit.x() * size.width(), unit.y() * size.height()};
}

void DrawSky(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1d, 0x2b, 0x53));
    sky.setColorAt(0.7, QColor(0x0f, 0x6e, 0x73));
    sky.setColorAt(1.0, QColor(0xe0, 0x9f, 0x3e));
    painter.fillRect(area, sky);
}

void DrawTree(QPainter& painter, QSizeF size) {
    painter.setPen(QPen(QColor(255, 255, 255, 170), 2));
    for (const auto& [node, required] : kLinks)
        painter.drawLine(Scaled(kNodes[node], size), Scaled(kNodes[required], size));
    const qreal radius = size.width() / 10;
    painter.setPen(QPen(QColor(0x1d, 0x2b, 0x53), 1.5));
    painter.setBrush(QColor(0xf4, 0xd3, 0x5e));
    for (const QPointF& node : kNodes)
        painter.drawEllipse(Scaled(node, size), radius, radius);
}

// The program's name, read from the bottom up.
void DrawName(QPainter& painter, QSizeF size) {
    QFont font(QStringLiteral("Serif"));
    font.setBold(true);
    font.setPixelSize(qRound(size.width() * 0.28));
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 220));
    painter.translate(size.width() * 0.62, size.height() * 0.96);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), QStringLiteral("VARKO"));
}

} // namespace

AboutPicture::AboutPicture(QWidget* parent) : QWidget(parent) {}

void AboutPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSky(painter, rect());
    DrawTree(painter, size());
    DrawName(painter, size());
}

} // namespace varko::about
