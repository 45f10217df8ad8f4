#include "varko/maintree/search/go_to_line_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace varko::maintree {

namespace {

void NameButton(QDialogButtonBox& buttons, QDialogButtonBox::StandardButton which, const char* name) {
    QPushButton* button = buttons.button(which);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text().remove(QLatin1Char('&')));
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    NameButton(*buttons, QDialogButtonBox::Ok, "OkButton");
    NameButton(*buttons, QDialogButtonBox::Cancel, "CancelButton");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

int TextLineCount(const QTextDocument& document) {
    int count = document.blockCount();
    if (count > 1 && document.lastBlock().length() <= 1)
        --count;
    return count;
}

std::optional<int> ParseLineNumber(const QString& typed, int lineCount) {
    bool whole = false;
    const int line = typed.trimmed().toInt(&whole, 10);
    if (!whole || line < 1 || line > lineCount)
        return std::nullopt;
    return line;
}

QString LineRangeMessage(int lineCount) {
    return QStringLiteral("Enter a line number from 1 to %1.").arg(lineCount);
}

GoToLineDialog::GoToLineDialog(QPlainTextEdit& editor, QWidget* parent) : QDialog(parent), m_editor(editor) {
    setObjectName(QStringLiteral("GoToLineDialog"));
    setWindowTitle(QStringLiteral("Go to Line"));
    setAccessibleName(windowTitle());
    auto* label = new QLabel(QStringLiteral("Line number"), this);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("LineNumberEdit"));
    m_field->setAccessibleName(QStringLiteral("Line number"));
    label->setBuddy(m_field);
    m_field->setText(QString::number(editor.textCursor().blockNumber() + 1));
    m_field->selectAll();
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("LineNumberMessage"));
    m_message->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(m_message);
    layout->addWidget(OkCancel(*this));
}

QString GoToLineDialog::Message() const {
    return m_message->text();
}

void GoToLineDialog::accept() {
    const int lineCount = TextLineCount(*m_editor.document());
    const std::optional<int> line = ParseLineNumber(m_field->text(), lineCount);
    if (!line) {
        m_message->setText(LineRangeMessage(lineCount));
        m_message->show();
        // A screen reader hears why the number was refused when the field has the focus again.
        m_field->setAccessibleDescription(m_message->text());
        m_field->selectAll();
        m_field->setFocus(Qt::OtherFocusReason);
        return;
    }
    QTextCursor cursor(m_editor.document()->findBlockByNumber(*line - 1));
    m_editor.setTextCursor(cursor);
    m_editor.ensureCursorVisible();
    QDialog::accept();
    m_editor.setFocus(Qt::OtherFocusReason);
}

GoToLineDialog* OpenGoToLine(QPlainTextEdit& editor) {
    auto* dialog = new GoToLineDialog(editor, editor.window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace varko::maintree
