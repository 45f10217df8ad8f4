#include "varko/maintree/controls/return_key.h"

#include <QKeyEvent>
#include <QWidget>

namespace varko::maintree {

ReturnKey::ReturnKey(QWidget* watched) : QObject(watched) {
    watched->installEventFilter(this);
}

bool ReturnKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            emit pressed();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varko::maintree
