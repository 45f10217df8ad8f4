#include "varko/platform/qt_desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace varko::platform {

namespace {

void NameButton(QPushButton* button) {
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
}

// No parent: the boxes are centred on the screen and block the whole program.
void ShowStop(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text);
    NameButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
}

bool RunFileDialog(QWidget* parent, FileDialog& state, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // Neither dialog insists on an existing file: a name that cannot be opened fails on loading.
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(state.filter);
    dialog.setNameFilters(filters);
    if (state.filterIndex >= 1 && state.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[state.filterIndex - 1]);
    if (!state.folder.isEmpty())
        dialog.setDirectory(state.folder);
    if (!state.fileName.isEmpty())
        dialog.selectFile(state.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    state.fileName = dialog.selectedFiles().constFirst();
    state.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    state.folder = QFileInfo(state.fileName).absolutePath();
    return true;
}

} // namespace

void QtDesktop::ShowError(const QString& text) {
    ShowStop(QStringLiteral("Error"), text);
}

void QtDesktop::ShowException(const QString& caption, const QString& text) {
    ShowStop(caption, text);
}

Answer QtDesktop::Confirm(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    for (QPushButton* button : {yes, no, cancel})
        NameButton(button);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

int QtDesktop::Choose(const QString& caption, const QString& text, const QStringList& buttons,
                      int defaultButton) {
    QMessageBox box(QMessageBox::Question, caption, text);
    QList<QPushButton*> pushes;
    // One role for all keeps the buttons in the order given.
    for (const QString& label : buttons) {
        pushes << box.addButton(label, QMessageBox::ActionRole);
        NameButton(pushes.back());
    }
    if (defaultButton >= 0 && defaultButton < pushes.size())
        box.setDefaultButton(pushes[defaultButton]);
    box.exec();
    return static_cast<int>(pushes.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
}

bool QtDesktop::ExecuteOpen(QWidget* parent, FileDialog& dialog) {
    return RunFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

bool QtDesktop::ExecuteSave(QWidget* parent, FileDialog& dialog) {
    return RunFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

void QtDesktop::OpenTarget(const QString& target) {
    QDesktopServices::openUrl(QUrl(target));
}

} // namespace varko::platform
