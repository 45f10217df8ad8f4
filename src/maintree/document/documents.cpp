#include "varko/maintree/document/documents.h"

#include "varko/maintree/editing/document_kind.h"
#include "varko/maintree/document/document_names.h"
#include "varko/maintree/editor/editor_pane.h"

#include <QWidget>

namespace varko::maintree {

namespace {

void Notify(const std::function<void(const QString&)>& event, const QString& name) {
    if (event)
        event(name);
}

} // namespace

Documents::Documents(EditorPane& editor, platform::Desktop& desktop, QWidget& window,
                     std::function<void()> refreshStatus, std::function<QString()> startFolder)
    : m_editor(editor), m_desktop(desktop), m_window(window), m_refreshStatus(std::move(refreshStatus)),
      m_startFolder(std::move(startFolder)), m_currentFile(kUntitledOdf) {
    m_openDialog.filter = kOpenFilter;
    m_saveDialog.filter = kSaveFilter;
}

void Documents::adopt(const QString& currentFile) {
    m_currentFile = currentFile;
    const QString caption = DocumentCaption(m_currentFile);
    m_window.setWindowTitle(caption);
    m_desktop.SetApplicationTitle(caption);
    m_editor.setDocumentKind(maintree::DocumentKindOfFile(m_currentFile));
    m_editor.clearModified();
    m_refreshStatus();
}

// A dialog that never chose a file opens in the start folder each time, so it follows the game
// directories; a cancelled dialog changes nothing.
bool Documents::ask(platform::FileDialog& dialog, bool open) {
    const bool fresh = dialog.folder.isEmpty();
    if (fresh && m_startFolder)
        dialog.folder = m_startFolder();
    const bool chosen =
        open ? m_desktop.ExecuteOpen(&m_window, dialog) : m_desktop.ExecuteSave(&m_window, dialog);
    if (!chosen && fresh)
        dialog.folder.clear();
    return chosen;
}

void Documents::newDocument(Kind kind) {
    if (!askToSaveChanges())
        return;
    m_editor.clearText();
    adopt(kind == Kind::TechTree ? kUntitledTt : kUntitledOdf);
    Notify(m_events.created, m_currentFile);
}

void Documents::open() {
    load(QString());
}

void Documents::openFile(const QString& fileName) {
    load(fileName);
}

void Documents::openDropped(const QStringList& files) {
    if (files.isEmpty() || files.first().isEmpty())
        return;
    load(files.first());
}

void Documents::load(const QString& fileName) {
    m_openDialog.fileName.clear();
    if (!askToSaveChanges())
        return;
    QString name = fileName;
    if (name.isEmpty()) {
        if (!ask(m_openDialog, true))
            return;
        name = m_openDialog.fileName;
    }
    m_editor.loadFromFile(name);
    adopt(name);
    Notify(m_events.loaded, name);
}

bool Documents::save() {
    return saveUnder(m_currentFile);
}

bool Documents::saveUnder(const QString& fileName) {
    if (const int filter = SaveFilterFor(fileName); filter != 0)
        m_saveDialog.filterIndex = filter;
    if (!fileName.isEmpty() && !IsUntitled(fileName)) {
        m_editor.saveToFile(fileName);
        adopt(fileName);
        Notify(m_events.saved, fileName);
        return true;
    }
    if (!ask(m_saveDialog, false))
        return false;
    m_saveDialog.fileName = WithDocumentExtension(m_saveDialog.fileName, fileName);
    m_editor.saveToFile(m_saveDialog.fileName);
    adopt(m_saveDialog.fileName);
    Notify(m_events.saved, m_saveDialog.fileName);
    return true;
}

void Documents::saveAs() {
    m_saveDialog.fileName = m_currentFile;
    saveUnder(QString());
}

void Documents::restoreUnsaved(const QString& name, const QString& text) {
    m_editor.loadText(text);
    adopt(name);
    m_editor.markModified();
    m_refreshStatus();
}

bool Documents::askToSaveChanges() {
    if (!m_editor.isModified())
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
    m_openDialog.fileName = m_currentFile;
    return saveUnder(m_currentFile);
}

} // namespace varko::maintree
