#include "varko/maintree/navigation/arrow_button.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace varko::maintree {

ArrowButton::ArrowButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    showPanelState(PanelState::Collapsed);
}

void ArrowButton::showPanelState(PanelState state) {
    m_state = state;
    const bool collapsed = state == PanelState::Collapsed;
    setText(collapsed ? QStringLiteral("4") : QStringLiteral("3"));
    setAccessibleName(collapsed ? QStringLiteral("Show navigation panel")
                                : QStringLiteral("Hide navigation panel"));
    update();
}

void ArrowButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().buttonText());
    const QPointF centre = QRectF(rect()).center();
    const qreal half = 3.5;
    if (m_state == PanelState::Expanded)
        painter.drawPolygon(QPolygonF({{centre.x() + half / 2, centre.y() - half},
                                       {centre.x() + half / 2, centre.y() + half},
                                       {centre.x() - half, centre.y()}}));
    else
        painter.drawPolygon(QPolygonF({{centre.x() - half / 2, centre.y() - half},
                                       {centre.x() - half / 2, centre.y() + half},
                                       {centre.x() + half, centre.y()}}));
}

} // namespace varko::maintree
