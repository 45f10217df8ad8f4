#include "varko/about/link_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace varko::about {

namespace {

// What a screen reader gets of the link: a label as before, which its press action follows.
class AccessibleLink : public QAccessibleWidget {
public:
    explicit AccessibleLink(LinkLabel* link) : QAccessibleWidget(link, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const QString spoken = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && spoken.isEmpty())
            return static_cast<LinkLabel*>(widget())->text();
        return spoken;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->follow();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* MakeAccessibleLink(const QString&, QObject* object) {
    auto* link = qobject_cast<LinkLabel*>(object);
    return link ? new AccessibleLink(link) : nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(MakeAccessibleLink);
        return true;
    }();
    Q_UNUSED(accessible);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void LinkLabel::follow() {
    emit clicked();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        follow();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        follow();
    else
        QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace varko::about
