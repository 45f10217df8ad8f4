#include "varko/maintree/window/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace varko::maintree {

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kOutline(60, 60, 60);

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
}

void DrawFolder(QPainter& p) {
    p.setPen(QPen(QColor(140, 100, 20), 1));
    p.setBrush(QColor(230, 190, 80));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}));
}

void DrawFloppy(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(50, 90, 170));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {13.5, 1.5}, {14.5, 2.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 5));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.fillRect(QRectF(9, 10, 1.5, 3.5), QColor(20, 40, 90));
}

void DrawRun(QPainter& p) {
    p.setPen(QPen(QColor(20, 100, 20), 1));
    p.setBrush(QColor(60, 170, 60));
    p.drawPolygon(QPolygonF({{4.5, 2.5}, {12.5, 8}, {4.5, 13.5}}));
}

void DrawBulletedPage(QPainter& p) {
    DrawPage(p);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        const qreal y = 6 + row * 2.5;
        p.fillRect(QRectF(5, y, 1.5, 1.5), QColor(30, 60, 160));
        p.fillRect(QRectF(7.5, y + 0.25, 3.5, 1), kOutline);
    }
}

void DrawBlock(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
    p.fillRect(QRectF(3, 4, 10, 2), QColor(215, 215, 215));
}

void DrawStop(QPainter& p) {
    p.setPen(QPen(QColor(120, 10, 10), 1));
    p.setBrush(QColor(210, 30, 30));
    p.drawRect(QRectF(3.5, 3.5, 9, 9));
}

QPixmap Render(const Drawing& draw, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return pixmap;
}

Drawing DrawingOf(ToolPicture picture) {
    switch (picture) {
    case ToolPicture::New:
        return DrawPage;
    case ToolPicture::Open:
        return DrawFolder;
    case ToolPicture::Save:
        return DrawFloppy;
    case ToolPicture::Run:
        return DrawRun;
    case ToolPicture::Hierarchy:
        return DrawBulletedPage;
    case ToolPicture::Browser:
        return DrawBlock;
    case ToolPicture::Stop:
        return DrawStop;
    }
    return DrawPage;
}

} // namespace

QList<QIcon> DrawToolIcons() {
    QList<QIcon> icons;
    for (const ToolPicture picture :
         {ToolPicture::New, ToolPicture::Open, ToolPicture::Save, ToolPicture::Run, ToolPicture::Hierarchy,
          ToolPicture::Browser, ToolPicture::Stop})
        icons << DrawToolIcon(picture);
    return icons;
}

QIcon DrawToolIcon(ToolPicture picture) {
    return DrawIcon(DrawingOf(picture));
}

QIcon DrawIcon(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    icon.addPixmap(Render(draw, 16));
    icon.addPixmap(Render(draw, 32));
    return icon;
}

} // namespace varko::maintree
