#include "varko/pref/up_down.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace varko::pref {

namespace {

QToolButton* MakeArrow(QWidget& parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(&parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    button->setAccessibleName(name);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    m_up = MakeArrow(*this, Qt::UpArrow, QStringLiteral("Up"));
    m_down = MakeArrow(*this, Qt::DownArrow, QStringLiteral("Down"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_up);
    column->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setField(QLineEdit* field) {
    if (m_field)
        m_field->removeEventFilter(this);
    m_field = field;
    if (m_field) {
        m_field->installEventFilter(this);
        m_field->setText(QString::number(m_position));
    }
}

void UpDown::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

int UpDown::position() {
    if (m_field) {
        bool whole = false;
        const int typed = m_field->text().trimmed().toInt(&whole, 10);
        if (whole && typed >= m_minimum && typed <= m_maximum)
            m_position = typed;
    }
    return m_position;
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(position, m_minimum, m_maximum);
    if (m_field)
        m_field->setText(QString::number(m_position));
}

void UpDown::step(int delta) {
    setPosition(position() + delta);
}

bool UpDown::stepByKey(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    step(key == Qt::Key_Up ? 1 : -1);
    return true;
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (!stepByKey(event->key()))
        QWidget::keyPressEvent(event);
}

// The arrow keys step the position while the field has the focus, too.
bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress)
        return stepByKey(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

} // namespace varko::pref
