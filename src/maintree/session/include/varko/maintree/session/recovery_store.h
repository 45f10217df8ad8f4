#pragma once

#include "varko/maintree/worker/worker_thread.h"
#include "varko/platform/desktop.h"
#include "varko/maintree/session/recovered_document.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

namespace varko::maintree {

// Crash recovery for the open document. While the document has unsaved changes, a copy of it is
// written a moment after typing stops (and at least every few seconds while it goes on) to a file
// of this editor's own in a hidden folder; the write happens on a worker, atomically, never over
// the user's file. Saving or closing the document removes the copy. At the next start the copies
// left by editors that did not end normally are offered back.
//
// The main window calls documentChanged on every edit, documentSaved after each save,
// documentClosed when a document is closed without saving (new, open, quit), and offerOrphans
// once at start-up.
class RecoveryStore : public QObject {
    Q_OBJECT

public:
    using SnapshotGetter = std::function<RecoverySnapshot()>;
    // Runs a job on some worker thread, one at a time in the order given; a job that has not
    // started when a newer one comes may be dropped (each job checks its generation anyway).
    using Executor = std::function<void(std::function<void()>)>;
    // Puts a recovered document into the editor as a modified document under its name; false
    // when it could not (its recovery file then waits for the next start).
    using RestoreCallback = std::function<bool(const RecoveredDocument&)>;

    // `folder` is usually FolderFor(appDir). Without an executor the store runs its jobs on a
    // worker of its own, where a newer job replaces one that has not started.
    explicit RecoveryStore(const QString& folder, QObject* parent = nullptr, Executor executor = {});
    // Waits for a write in progress; a copy not yet removed stays for the next start.
    ~RecoveryStore() override;

    // "<appDir>/.recovery", beside prefs.ini.
    static QString FolderFor(const QString& appDir);

    void setDelays(int idleMs, int longestWaitMs);
    bool enabled() const;
    QString recoveryFile() const;

    // The getter runs on the GUI thread when the copy is taken and must return copies.
    void documentChanged(SnapshotGetter getter);
    void documentSaved() { dropCopy(); }
    void documentClosed() { dropCopy(); }
    // Takes and writes the copy at once instead of waiting for the timer.
    void writeNow();

    // One box per orphaned recovery file: "Restore" hands it to `restore`, "Discard" deletes it,
    // closing the box leaves it for the next start. Returns how many were restored.
    int offerOrphans(platform::Desktop& desktop, const RestoreCallback& restore);

signals:
    // Once, the first time a copy could not be written: recovery is off from then on.
    void recoveryOff(const QString& text);
    // A copy has landed on disk.
    void copyWritten();

private:
    struct Shared;

    void dropCopy();
    // Runs on the GUI thread after a job announced its outcome.
    Q_INVOKABLE void takeOutcome();
    void reportOff();

    std::shared_ptr<Shared> m_shared;
    maintree::WorkerThread m_worker;
    Executor m_executor;
    SnapshotGetter m_getter;
    QTimer m_timer;
    QElapsedTimer m_pendingSince;
    int m_idleMs = 2000;
    int m_longestWaitMs = 10000;
    std::uint64_t m_generation = 0;
    bool m_saidOff = false;
};

} // namespace varko::maintree
