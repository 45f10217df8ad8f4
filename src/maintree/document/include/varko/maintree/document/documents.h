#pragma once

#include "varko/platform/desktop.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace varko::maintree {

class EditorPane;

// What happened to the document, for the parts that follow its file (the recent list, the watch
// on the file, crash recovery). Each runs after the editor and the caption show the new state.
struct DocumentEvents {
    // Read from a file: opened, reopened, dropped or named on the command line.
    std::function<void(const QString& path)> loaded;
    // A new untitled document; the name it goes by.
    std::function<void(const QString& name)> created;
    std::function<void(const QString& path)> saved;
    // Right before the text is written over `path`; false stops the save.
    std::function<bool(const QString& path)> aboutToSave;
};

// The one open document: its name, the two file dialogs, new, open, save and the question that
// guards unsaved changes. Failures to read or write a file are thrown as FileError.
class Documents {
public:
    enum class Kind { Odf, TechTree };

    // `window` receives the caption; `refreshStatus` runs after every new, open and save;
    // `startFolder` gives the folder a file dialog opens in until a file was chosen with it.
    Documents(EditorPane& editor, platform::Desktop& desktop, QWidget& window,
              std::function<void()> refreshStatus, std::function<QString()> startFolder = {});

    const QString& currentFile() const { return m_currentFile; }
    const platform::FileDialog& openDialog() const { return m_openDialog; }
    const platform::FileDialog& saveDialog() const { return m_saveDialog; }

    void newDocument(Kind kind);
    // Asks with the open dialog.
    void open();
    void openFile(const QString& fileName);
    // Only the first file of a drop is opened.
    void openDropped(const QStringList& files);
    // An untitled document asks with the save dialog. True when the text was written.
    bool save();
    void saveAs();
    // Puts text back that was never saved, as a modified document going by `name` (a path, or the
    // name an untitled document goes by). Nothing is asked and no event follows.
    void restoreUnsaved(const QString& name, const QString& text);
    void setEvents(DocumentEvents events) { m_events = std::move(events); }
    // True when the pending command may go on: nothing to save, the user said No, or the
    // document was saved. A cancelled save dialog cancels the command too.
    bool askToSaveChanges();

private:
    // An empty name asks with the open dialog.
    void load(const QString& fileName);
    // An empty or untitled name asks with the save dialog.
    bool saveUnder(const QString& fileName);
    void adopt(const QString& currentFile);
    bool ask(platform::FileDialog& dialog, bool open);

    EditorPane& m_editor;
    platform::Desktop& m_desktop;
    QWidget& m_window;
    std::function<void()> m_refreshStatus;
    std::function<QString()> m_startFolder;
    QString m_currentFile;
    platform::FileDialog m_openDialog;
    platform::FileDialog m_saveDialog;
    DocumentEvents m_events;
};

} // namespace varko::maintree
