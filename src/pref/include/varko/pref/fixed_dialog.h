#pragma once

#include <QDialog>

namespace varko::pref {

// The frame both of the program's dialogs share: a fixed client area that cannot be resized, the
// designed dialog font, and a place in the middle of the screen each time it is shown.
class FixedDialog : public QDialog {
    Q_OBJECT

public:
    FixedDialog(const char* formName, const QString& caption, QSize clientSize, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    // Escape does not close these dialogs: only their own buttons and the close box do.
    void keyPressEvent(QKeyEvent* event) override;
};

// A control with its name, placed at a designed position inside its parent.
template <typename Control> Control* PlaceControl(QWidget* parent, const char* name, QRect geometry) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace varko::pref
