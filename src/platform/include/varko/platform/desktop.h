#pragma once

#include <QString>
#include <QStringList>

#include <exception>

class QWidget;

namespace varko::platform {

enum class Answer { Yes, No, Cancel };

// A file dialog that lives as long as its window: it keeps its folder, filter index and file
// name from one use to the next. A cancelled use changes nothing.
struct FileDialog {
    // Descriptions and patterns alternate, separated by "|"; patterns of one entry by ";".
    QString filter;
    // 1-based, as the filter string counts its entries.
    int filterIndex = 1;
    QString fileName;
    QString folder;
};

// "ODF files|*.odf|All files|*.*" as Qt's name filters: "ODF files (*.odf)", "All files (*.*)".
QStringList NameFilters(const QString& filter);

// The failure's text as the exception box shows it: a full stop follows a last character that
// sorts after ".".
QString ExceptionText(const QString& message);

// Everything the program asks of the desktop: message boxes, file dialogs and the shell's "open".
// The application title lives here too, since the exception box takes it as its caption.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Caption "Error", the error icon, the text and one "OK".
    virtual void ShowError(const QString& text) = 0;
    // Caption as given, the error icon, one "OK".
    virtual void ShowException(const QString& caption, const QString& text) = 0;
    // The question icon and the buttons "&Yes", "&No", "Cancel"; Yes is the default.
    virtual Answer Confirm(const QString& caption, const QString& text) = 0;
    // The question icon and one button per caption, in this order; the result is the index of the
    // button pressed, or -1 when the box was closed without one.
    virtual int Choose(const QString& caption, const QString& text, const QStringList& buttons,
                       int defaultButton) = 0;
    // True when the user chose a file; the dialog then holds its full path and filter index.
    virtual bool ExecuteOpen(QWidget* parent, FileDialog& dialog) = 0;
    virtual bool ExecuteSave(QWidget* parent, FileDialog& dialog) = 0;
    // Hands a URL or file URL to the shell; the result is not checked.
    virtual void OpenTarget(const QString& target) = 0;

    const QString& ApplicationTitle() const { return m_title; }
    void SetApplicationTitle(const QString& title) { m_title = title; }

    // Shows a failure that no handler caught, captioned with the application title.
    void ReportFailure(const std::exception& failure);

private:
    QString m_title;
};

// Runs one command; a failure escaping it ends the command and is shown in the exception box.
template <typename Command> void RunCommand(Desktop& desktop, Command&& command) {
    try {
        command();
    } catch (const std::exception& failure) {
        desktop.ReportFailure(failure);
    }
}

} // namespace varko::platform
