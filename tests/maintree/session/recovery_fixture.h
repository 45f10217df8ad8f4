#pragma once

#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/maintree/session/recovery_store.h"

#include <QDir>
#include <QSignalSpy>

#include <deque>

namespace varko::maintree::testing {

inline constexpr int kRestore = 0;
inline constexpr int kDiscard = 1;

// Holds the store's jobs until the test runs them, on this thread.
class HeldJobs {
public:
    RecoveryStore::Executor Executor() {
        return [this](std::function<void()> job) { m_jobs.push_back(std::move(job)); };
    }
    std::size_t Count() const { return m_jobs.size(); }
    void Run(std::size_t index) {
        m_jobs[index]();
        QCoreApplication::processEvents();
    }

private:
    std::deque<std::function<void()>> m_jobs;
};

class RecoveryStoreTest : public SessionFixture {
protected:
    QString Folder() const { return RecoveryStore::FolderFor(AppDir()); }
    static RecoveryStore::SnapshotGetter Snapshot(const QString& name, bool untitled, const QString& text) {
        return [=] { return RecoverySnapshot{name, untitled, text}; };
    }
    // Takes a copy at once and waits until it is on disk.
    static bool WriteCopy(RecoveryStore& store, RecoveryStore::SnapshotGetter getter) {
        QSignalSpy written(&store, &RecoveryStore::copyWritten);
        store.documentChanged(std::move(getter));
        store.writeNow();
        return WaitFor([&] { return written.count() > 0; });
    }
    // An editor that ended without removing its copy, as a crash leaves it.
    void LeaveOrphan(const QString& name, bool untitled, const QString& text) {
        RecoveryStore gone(Folder());
        ASSERT_TRUE(WriteCopy(gone, Snapshot(name, untitled, text)));
    }
    // Offers the orphans with the choices given; the restored documents are collected.
    int Offer(RecoveryStore& store, std::initializer_list<int> choices, bool accept = true) {
        for (int choice : choices)
            m_desktop.QueueChoice(choice);
        return store.offerOrphans(m_desktop, [&](const RecoveredDocument& document) {
            m_restored.push_back(document);
            return accept;
        });
    }
    QStringList BoxTexts() const {
        QStringList texts;
        for (const platform::ScriptedDesktop::Shown& shown :
             m_desktop.Of(platform::ScriptedDesktop::Kind::Choose))
            texts << shown.text;
        return texts;
    }
    QStringList RecoveryFiles() const {
        return QDir(Folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }

    platform::ScriptedDesktop m_desktop;
    std::vector<RecoveredDocument> m_restored;
};

} // namespace varko::maintree::testing
