#include "varko/maintree/documents.h"

#include "varko/maintree/document_names.h"
#include "varko/maintree/editor_pane.h"

#include <QWidget>

namespace varko::maintree {

Documents::Documents(EditorPane& editor, platform::Desktop& desktop, QWidget& window,
                     std::function<void()> refreshStatus, std::function<QString()> startFolder)
    : m_editor(editor), m_desktop(desktop), m_window(window), m_refreshStatus(std::move(refreshStatus)),
      m_startFolder(std::move(startFolder)), m_currentFile(kUntitledOdf) {
    m_openDlg.filter = kOpenFilter;
    m_saveDlg.filter = kSaveFilter;
}

void Documents::Finish(const QString& currentFile) {
    m_currentFile = currentFile;
    const QString caption = DocumentCaption(m_currentFile);
    m_window.setWindowTitle(caption);
    m_desktop.SetApplicationTitle(caption);
    m_editor.ClearModified();
    m_refreshStatus();
}

// A dialog that never chose a file opens in the start folder each time, so it follows the game
// directories; a cancelled dialog changes nothing.
bool Documents::Ask(platform::FileDialog& dialog, bool open) {
    const bool fresh = dialog.folder.isEmpty();
    if (fresh && m_startFolder)
        dialog.folder = m_startFolder();
    const bool chosen =
        open ? m_desktop.ExecuteOpen(&m_window, dialog) : m_desktop.ExecuteSave(&m_window, dialog);
    if (!chosen && fresh)
        dialog.folder.clear();
    return chosen;
}

void Documents::New(Kind kind) {
    if (!CheckFileSave())
        return;
    m_editor.ClearText();
    Finish(kind == Kind::TechTree ? kUntitledTt : kUntitledOdf);
}

void Documents::LoadFile(const QString& fileName) {
    m_openDlg.fileName.clear();
    if (!CheckFileSave())
        return;
    QString name = fileName;
    if (name.isEmpty()) {
        if (!Ask(m_openDlg, true))
            return;
        name = m_openDlg.fileName;
    }
    m_editor.LoadFromFile(name);
    Finish(name);
}

bool Documents::SaveFile(const QString& fileName) {
    if (const int filter = SaveFilterFor(fileName); filter != 0)
        m_saveDlg.filterIndex = filter;
    if (!fileName.isEmpty() && !IsUntitled(fileName)) {
        m_editor.SaveToFile(fileName);
        Finish(fileName);
        return true;
    }
    if (!Ask(m_saveDlg, false))
        return false;
    m_saveDlg.fileName = WithDocumentExtension(m_saveDlg.fileName, fileName);
    m_editor.SaveToFile(m_saveDlg.fileName);
    Finish(m_saveDlg.fileName);
    return true;
}

void Documents::SaveAs() {
    m_saveDlg.fileName = m_currentFile;
    SaveFile(QString());
}

bool Documents::CheckFileSave() {
    if (!m_editor.Modified())
        return true;
    const QString question = QStringLiteral("Save changes to %1?").arg(FileNamePart(m_currentFile));
    switch (m_desktop.Confirm(QStringLiteral("Confirm"), question)) {
    case platform::Answer::Cancel:
        return false;
    case platform::Answer::No:
        return true;
    case platform::Answer::Yes:
        break;
    }
    m_openDlg.fileName = m_currentFile;
    return SaveFile(m_currentFile);
}

} // namespace varko::maintree
