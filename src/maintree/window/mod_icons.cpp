#include "varko/maintree/window/mod_icons.h"

#include "varko/maintree/window/tool_icons.h"

#include <QPainter>

namespace varko::maintree {

namespace {

const QColor kOutline(60, 60, 60);

} // namespace

// Three pages fanned out: the files of the mod.
QIcon DrawModFilesIcon() {
    return DrawIcon([](QPainter& p) {
        p.setPen(QPen(kOutline, 1));
        for (const int step : {0, 2, 4}) {
            p.setBrush(step == 4 ? QColor(Qt::white) : QColor(215, 215, 215));
            p.drawRect(QRectF(1.5 + step, 1.5 + step, 9, 10));
        }
    });
}

// A table of names and values: where each property is set.
QIcon DrawPropertiesIcon() {
    return DrawIcon([](QPainter& p) {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
        for (const double y : {6.5, 10.0})
            p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        p.fillRect(QRectF(2, 3, 4.5, 3.5), QColor(30, 60, 160));
    });
}

} // namespace varko::maintree
