#pragma once

#include "varko/platform/desktop.h"

namespace varko::platform {

// The desktop of a running program: modal Qt message boxes and file dialogs, QDesktopServices.
class QtDesktop : public Desktop {
public:
    void ShowError(const QString& text) override;
    void ShowException(const QString& caption, const QString& text) override;
    Answer Confirm(const QString& caption, const QString& text) override;
    int Choose(const QString& caption, const QString& text, const QStringList& buttons,
               int defaultButton) override;
    bool ExecuteOpen(QWidget* parent, FileDialog& dialog) override;
    bool ExecuteSave(QWidget* parent, FileDialog& dialog) override;
    void OpenTarget(const QString& target) override;
};

} // namespace varko::platform
