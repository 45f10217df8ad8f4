#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextDocument;

namespace varko::maintree {

// The text lines of a document: its lines, without a last line that is empty. An empty document
// still has line 1, where its caret stands.
int TextLineCount(const QTextDocument& document);

// The line a typed number names, from 1 to the line count; nothing for anything else (zero,
// negatives, numbers past the end, text that is not a whole number, an empty field). Blanks around
// the number are allowed.
std::optional<int> ParseLineNumber(const QString& typed, int lineCount);

// "Enter a line number from 1 to N."
QString LineRangeMessage(int lineCount);

// "Go to Line": one field, "Line number", with OK and Cancel. OK on a valid number puts the
// editor's caret at the start of that line and scrolls it into view; anything else is refused with
// a message inside the dialog, which stays open. Cancel changes nothing.
class GoToLineDialog : public QDialog {
    Q_OBJECT

public:
    explicit GoToLineDialog(QPlainTextEdit& editor, QWidget* parent = nullptr);

    QLineEdit* LineField() const { return m_field; }
    // Empty until a number was refused.
    QString Message() const;

    void accept() override;

private:
    QPlainTextEdit& m_editor;
    QLineEdit* m_field = nullptr;
    QLabel* m_message = nullptr;
};

// Opens the dialog over the editor's window without waiting for it; it deletes itself once closed.
GoToLineDialog* OpenGoToLine(QPlainTextEdit& editor);

} // namespace varko::maintree
