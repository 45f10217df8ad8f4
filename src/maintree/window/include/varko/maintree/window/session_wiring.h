#pragma once

#include "varko/platform/desktop.h"
#include "varko/maintree/session/disk_change_policy.h"
#include "varko/maintree/session/disk_watcher.h"
#include "varko/maintree/session/recent_files.h"
#include "varko/maintree/session/recovery_store.h"
#include "varko/textrules/profile_file.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace varko::maintree {
class ReopenMenu;
} // namespace varko::maintree

namespace varko::maintree {

class Documents;
class EditorPane;
class StatusPanels;

// The document's life beyond one session: the files last opened or saved (File > Reopen), the
// watch on the open file for changes by other programs, and the recovery copy of unsaved changes.
// The owner reports the document's events; the parts act on the editor through Documents.
class SessionWiring : public QObject, private maintree::DiskChangePolicy::Document {
    Q_OBJECT

public:
    struct Parts {
        EditorPane& editor;
        Documents& documents;
        StatusPanels& status;
        platform::Desktop& desktop;
        // Holds prefs.ini, where [Recent] lives, and the hidden recovery folder.
        QString appDir;
    };

    SessionWiring(const Parts& parts, QObject* parent = nullptr);
    ~SessionWiring() override;

    // Puts "Reopen" into the File menu right after `after`.
    void addReopenMenu(QMenu& fileMenu, QAction* after);

    void documentLoaded(const QString& path);
    void documentCreated();
    void documentSaved(const QString& path);
    // The document's unsaved changes were given up (the window closes).
    void documentClosed();
    // One box per recovery file left by an editor that did not end normally; a restored one
    // becomes the document, modified, unless the document already has unsaved changes.
    void offerRecovery();

    maintree::RecentFiles& recentFiles() { return m_recent; }
    maintree::ReopenMenu& reopenMenu() const { return *m_reopen; }
    maintree::DiskWatcher& diskWatcher() { return m_watcher; }
    maintree::RecoveryStore& recovery() { return m_recovery; }

private:
    void onEdited();
    bool restore(const maintree::RecoveredDocument& document);
    void run(const std::function<void()>& command);

    // The open document as the disk change policy sees it.
    bool modified() const override;
    int caretLine() const override;
    void reload(int line) override;
    void showStatus(const QString& text) override;

    EditorPane& m_editor;
    Documents& m_documents;
    StatusPanels& m_status;
    platform::Desktop& m_desktop;
    textrules::TIniFile m_prefs;
    maintree::RecentFiles m_recent;
    maintree::ReopenMenu* m_reopen = nullptr;
    maintree::DiskWatcher m_watcher;
    maintree::DiskChangePolicy m_policy;
    maintree::RecoveryStore m_recovery;
};

} // namespace varko::maintree
