#include "varko/pref/fixed_dialog.h"

#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

namespace varko::pref {

namespace {

// "MS Sans Serif" where it exists, a plain sans serif elsewhere; 11 pixels high either way.
QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace

FixedDialog::FixedDialog(const char* formName, const QString& caption, QSize clientSize, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(caption);
    setAccessibleName(caption);
    setFont(DialogFont());
    setFixedSize(clientSize);
}

void FixedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FixedDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        event->ignore();
    else
        QDialog::keyPressEvent(event);
}

} // namespace varko::pref
