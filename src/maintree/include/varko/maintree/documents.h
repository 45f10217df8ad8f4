#pragma once

#include "varko/platform/desktop.h"

#include <QString>

#include <functional>

class QWidget;

namespace varko::maintree {

class EditorPane;

// The one open document: its name, the two file dialogs, new, load, save and the question
// that guards unsaved changes. Failures to read or write a file are thrown as FileError.
class Documents {
public:
    enum class Kind { Odf, TechTree };

    // `window` receives the caption; `refreshStatus` runs after every new, load and save;
    // `startFolder` gives the folder a file dialog opens in until a file was chosen with it.
    Documents(EditorPane& editor, platform::Desktop& desktop, QWidget& window,
              std::function<void()> refreshStatus, std::function<QString()> startFolder = {});

    const QString& CurrentFile() const { return m_currentFile; }
    const platform::FileDialog& OpenDialog() const { return m_openDlg; }
    const platform::FileDialog& SaveDialog() const { return m_saveDlg; }

    void New(Kind kind);
    // An empty name asks with the open dialog.
    void LoadFile(const QString& fileName);
    // An empty or untitled name asks with the save dialog. True when the text was written.
    bool SaveFile(const QString& fileName);
    void SaveAs();
    // True when the pending command may go on: nothing to save, the user said No, or the
    // document was saved. A cancelled save dialog cancels the command too.
    bool CheckFileSave();

private:
    void Finish(const QString& currentFile);
    bool Ask(platform::FileDialog& dialog, bool open);

    EditorPane& m_editor;
    platform::Desktop& m_desktop;
    QWidget& m_window;
    std::function<void()> m_refreshStatus;
    std::function<QString()> m_startFolder;
    QString m_currentFile;
    platform::FileDialog m_openDlg;
    platform::FileDialog m_saveDlg;
};

} // namespace varko::maintree
