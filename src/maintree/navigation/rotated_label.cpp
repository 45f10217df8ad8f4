#include "varko/maintree/navigation/rotated_label.h"

#include <QPainter>

namespace varko::maintree {

RotatedLabel::RotatedLabel(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(caption);
    QFont face(QStringLiteral("Verdana"));
    face.setPixelSize(13);
    setFont(face);
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::gray);
    painter.translate(0, height());
    painter.rotate(-90);
    painter.drawText(QRect(0, 0, height(), width()), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

} // namespace varko::maintree
