#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/session/recovery_record.h"
#include "varko/session/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <deque>
#include <unistd.h>

namespace varko::session {
namespace {

using platform::ScriptedDesktop;

constexpr int kRestore = 0;
constexpr int kDiscard = 1;

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

class RecoveryStoreTest : public testing::SessionFixture {
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
        for (const ScriptedDesktop::Shown& shown : m_desktop.Of(ScriptedDesktop::Kind::Choose))
            texts << shown.text;
        return texts;
    }
    QStringList RecoveryFiles() const {
        return QDir(Folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }

    ScriptedDesktop m_desktop;
    std::vector<RecoveredDocument> m_restored;
};

TEST_F(RecoveryStoreTest, RestoreGivesBackTheExactBytes) {
    const QString allBytes = QString::fromLatin1(testing::AllBytes());
    struct Row {
        const char* name;
        RecoverySnapshot snapshot;
        QByteArray bytes;
        QString question;
    };
    const Row rows[] = {
        {"every byte value",
         {"/x/a.odf", false, allBytes},
         testing::AllBytes(),
         "Varko found unsaved changes to /x/a.odf from a session that did not end normally."},
        {"untitled tech tree",
         {"Untitled.tt", true, "a\nb"},
         "a\nb",
         "Varko found unsaved changes to an untitled document from a session that did not end normally."},
        {"block separators and a character beyond Latin-1",
         {QString::fromUtf8("/x/\xc3\xa9.odf"), false, QString::fromUtf8("a\u2029\u0416b\u2029")},
         "a\n?b\n",
         QString::fromUtf8("Varko found unsaved changes to /x/\xc3\xa9.odf from a session that did not "
                           "end normally.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(Folder()).removeRecursively();
        m_restored.clear();
        m_desktop.ClearHistory();
        LeaveOrphan(row.snapshot.documentName, row.snapshot.untitled, row.snapshot.text);
        RecoveryStore next(Folder());
        ASSERT_EQ(Offer(next, {kRestore}), 1);
        ASSERT_EQ(m_restored.size(), 1u);
        EXPECT_EQ(m_restored[0].bytes, row.bytes);
        EXPECT_EQ(m_restored[0].text(), QString::fromLatin1(row.bytes));
        EXPECT_EQ(m_restored[0].documentName, row.snapshot.documentName);
        EXPECT_EQ(m_restored[0].untitled, row.snapshot.untitled);
        EXPECT_TRUE(m_restored[0].complete);
        ASSERT_EQ(m_desktop.Of(ScriptedDesktop::Kind::Choose).size(), 1u);
        const ScriptedDesktop::Shown box = m_desktop.Of(ScriptedDesktop::Kind::Choose)[0];
        EXPECT_EQ(box.text, row.question);
        EXPECT_EQ(box.buttons, QStringList({"Restore", "Discard"}));
        EXPECT_EQ(box.defaultButton, kRestore);
        EXPECT_EQ(RecoveryFiles(), QStringList{QFileInfo(next.recoveryFile()).fileName()})
            << "the restored copy became the new editor's own";
        EXPECT_EQ(DecodeRecovery(ReadFile(next.recoveryFile()).toStdString()).bytes, row.bytes.toStdString());
    }
}

TEST_F(RecoveryStoreTest, EachChoiceOfTheBox) {
    struct Row {
        const char* name;
        int choice;
        bool accepted;
        int restored;
        bool orphanStays;
    };
    const Row rows[] = {
        {"restore", kRestore, true, 1, false},
        {"restore refused by the editor", kRestore, false, 0, true},
        {"discard", kDiscard, true, 0, false},
        {"box closed", -1, true, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(Folder()).removeRecursively();
        m_restored.clear();
        LeaveOrphan("/x/a.odf", false, "text");
        const QStringList orphan = RecoveryFiles();
        {
            RecoveryStore next(Folder());
            EXPECT_EQ(Offer(next, {row.choice}, row.accepted), row.restored);
            EXPECT_EQ(m_restored.size(), row.choice == kRestore ? 1u : 0u);
            EXPECT_EQ(RecoveryFiles().contains(orphan[0]), row.orphanStays);
            next.documentClosed();
        }
        RecoveryStore later(Folder());
        m_desktop.ClearHistory();
        Offer(later, {});
        EXPECT_EQ(BoxTexts().size(), row.orphanStays ? 1 : 0) << "offered again at the next start";
    }
}

// A live editor's copy is never offered, and two editors never write the same file.
TEST_F(RecoveryStoreTest, TwoRunningEditorsKeepTheirOwnCopies) {
    RecoveryStore first(Folder());
    RecoveryStore second(Folder());
    ASSERT_TRUE(first.enabled() && second.enabled());
    EXPECT_NE(first.recoveryFile(), second.recoveryFile());
    ASSERT_TRUE(WriteCopy(first, Snapshot("/x/one.odf", false, "one")));
    ASSERT_TRUE(WriteCopy(second, Snapshot("/x/two.odf", false, "two")));
    EXPECT_EQ(DecodeRecovery(ReadFile(first.recoveryFile()).toStdString()).bytes, "one");
    EXPECT_EQ(DecodeRecovery(ReadFile(second.recoveryFile()).toStdString()).bytes, "two");
    RecoveryStore third(Folder());
    EXPECT_EQ(Offer(third, {kDiscard, kDiscard}), 0);
    EXPECT_TRUE(BoxTexts().isEmpty());
    EXPECT_EQ(RecoveryFiles().size(), 2);
    EXPECT_EQ(m_desktop.PendingAnswers(), 2u);
}

TEST_F(RecoveryStoreTest, SaveOrCloseRemovesTheCopyAndNoLateWriteBringsItBack) {
    for (bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "close");
        HeldJobs jobs;
        RecoveryStore store(Folder(), nullptr, jobs.Executor());
        QSignalSpy written(&store, &RecoveryStore::copyWritten);
        store.documentChanged(Snapshot("/x/a.odf", false, "first"));
        store.writeNow();
        jobs.Run(0);
        ASSERT_TRUE(QFile::exists(store.recoveryFile()));
        store.documentChanged(Snapshot("/x/a.odf", false, "second"));
        store.writeNow();
        save ? store.documentSaved() : store.documentClosed();
        EXPECT_FALSE(QFile::exists(store.recoveryFile()));
        jobs.Run(1); // the worker gets to the copy taken before the save only now
        EXPECT_FALSE(QFile::exists(store.recoveryFile()));
        EXPECT_EQ(written.count(), 1);
    }
}

TEST_F(RecoveryStoreTest, AnOlderCopyLandingLateIsDropped) {
    HeldJobs jobs;
    RecoveryStore store(Folder(), nullptr, jobs.Executor());
    QSignalSpy written(&store, &RecoveryStore::copyWritten);
    store.documentChanged(Snapshot("/x/a.odf", false, "old"));
    store.writeNow();
    store.documentChanged(Snapshot("/x/a.odf", false, "new"));
    store.writeNow();
    ASSERT_EQ(jobs.Count(), 2u);
    jobs.Run(1);
    jobs.Run(0);
    EXPECT_EQ(DecodeRecovery(ReadFile(store.recoveryFile()).toStdString()).bytes, "new");
    EXPECT_EQ(written.count(), 1);
}

// The copy is taken when typing pauses, and now and then while it never does.
TEST_F(RecoveryStoreTest, CopiesFollowPausesAndLongTyping) {
    RecoveryStore store(Folder());
    store.setDelays(100, 300);
    QSignalSpy written(&store, &RecoveryStore::copyWritten);
    int taken = 0;
    store.documentChanged([&] {
        ++taken;
        return RecoverySnapshot{"/x/a.odf", false, "t"};
    });
    EXPECT_EQ(taken, 0) << "no copy while typing goes on";
    ASSERT_TRUE(WaitFor([&] { return written.count() == 1; }));
    EXPECT_EQ(taken, 1);
    QElapsedTimer typing;
    typing.start();
    while (typing.elapsed() < 1500) {
        store.documentChanged(Snapshot("/x/a.odf", false, "typing"));
        WaitFor([] { return false; }, 20);
    }
    EXPECT_GE(written.count(), 2) << "a copy was taken during a long stretch of typing";
}

TEST_F(RecoveryStoreTest, AFolderThatCannotBeMadeTurnsRecoveryOffOnce) {
    WriteFile("blocker", "a regular file");
    RecoveryStore store(RecoveryStore::FolderFor(PathOf("blocker")));
    QSignalSpy off(&store, &RecoveryStore::recoveryOff);
    EXPECT_FALSE(store.enabled());
    store.documentChanged(Snapshot("/x/a.odf", false, "a"));
    store.documentChanged(Snapshot("/x/a.odf", false, "ab"));
    store.writeNow();
    store.documentSaved();
    ASSERT_EQ(off.count(), 1);
    EXPECT_EQ(off[0][0].toString(),
              "Crash recovery is off: " + PathOf("blocker") + "/.recovery cannot be written.");
    EXPECT_EQ(Offer(store, {kRestore}), 0);
}

TEST_F(RecoveryStoreTest, AFolderLostWhileRunningTurnsRecoveryOffOnce) {
    RecoveryStore store(Folder());
    ASSERT_TRUE(store.enabled());
    QSignalSpy off(&store, &RecoveryStore::recoveryOff);
    QSignalSpy written(&store, &RecoveryStore::copyWritten);
    ASSERT_TRUE(QDir(Folder()).removeRecursively());
    WriteFile(Folder(), "now a regular file");
    store.documentChanged(Snapshot("/x/a.odf", false, "a"));
    store.writeNow();
    ASSERT_TRUE(WaitFor([&] { return off.count() > 0; }));
    for (int i = 0; i < 2; ++i) {
        store.documentChanged(Snapshot("/x/a.odf", false, "a"));
        store.writeNow();
        WaitFor([] { return false; }, 100);
    }
    EXPECT_EQ(off.count(), 1);
    EXPECT_EQ(written.count(), 0);
}

TEST_F(RecoveryStoreTest, AReadOnlyFolderTurnsRecoveryOff) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    QDir().mkpath(Folder());
    QFile::setPermissions(Folder(), QFile::ReadOwner | QFile::ExeOwner);
    RecoveryStore store(Folder());
    QSignalSpy off(&store, &RecoveryStore::recoveryOff);
    store.documentChanged(Snapshot("/x/a.odf", false, "a"));
    QFile::setPermissions(Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(store.enabled());
    EXPECT_EQ(off.count(), 1);
}

// Damaged files are offered with whatever could be read, and the box says so.
TEST_F(RecoveryStoreTest, DamagedFilesAreOfferedAsTheyAre) {
    const std::string whole = EncodeRecovery({"/x/a.odf", false, "abcdef", true});
    struct Row {
        const char* name;
        QByteArray file;
        QString documentName;
        QByteArray bytes;
        QString question;
    };
    const QString damaged = " Its recovery file is damaged: only what could be read is offered.";
    const Row rows[] = {
        {"cut in the text", QByteArray::fromStdString(whole.substr(0, whole.size() - 2)), "/x/a.odf", "abcd",
         "Varko found unsaved changes to /x/a.odf from a session that did not end normally." + damaged},
        {"garbage", QByteArray("\x00\xff garbage\n", 11), "", QByteArray("\x00\xff garbage\n", 11),
         "Varko found unsaved changes to an untitled document from a session that did not end normally." +
             damaged},
        {"empty", "", "", "",
         "Varko found unsaved changes to an untitled document from a session that did not end normally." +
             damaged},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        WriteFile(Folder() + "/4242-dead.recovery", row.file);
        m_restored.clear();
        m_desktop.ClearHistory();
        RecoveryStore store(Folder());
        ASSERT_EQ(Offer(store, {kRestore}), 1);
        EXPECT_EQ(BoxTexts(), QStringList{row.question});
        ASSERT_EQ(m_restored.size(), 1u);
        EXPECT_EQ(m_restored[0].documentName, row.documentName);
        EXPECT_EQ(m_restored[0].bytes, row.bytes);
        EXPECT_FALSE(m_restored[0].complete);
    }
}

// What dead editors leave besides their copies goes; strangers in the folder stay.
TEST_F(RecoveryStoreTest, LeftoversOfDeadEditorsAreCleared) {
    QDir().mkpath(Folder());
    WriteFile(Folder() + "/1-aa.lock", "");
    WriteFile(Folder() + "/2-bb.recovery",
              QByteArray::fromStdString(EncodeRecovery({"/x/b", false, "b", true})));
    WriteFile(Folder() + "/.2-bb.recovery.Xy12Zq", "half a copy");
    WriteFile(Folder() + "/notes.txt", "mine");
    RecoveryStore store(Folder());
    const QString own = QFileInfo(store.recoveryFile()).completeBaseName() + ".lock";
    EXPECT_EQ(Offer(store, {kDiscard}), 0);
    EXPECT_EQ(NamesIn(Folder()), QStringList({own, "notes.txt"}));
}

TEST_F(RecoveryStoreTest, SeveralOrphansOldestFirst) {
    LeaveOrphan("/x/old.odf", false, "old");
    WaitFor([] { return false; }, 20);
    LeaveOrphan("/x/new.odf", false, "new");
    RecoveryStore store(Folder());
    EXPECT_EQ(Offer(store, {kDiscard, kRestore}), 1);
    ASSERT_EQ(BoxTexts().size(), 2);
    EXPECT_TRUE(BoxTexts()[0].contains("/x/old.odf"));
    EXPECT_TRUE(BoxTexts()[1].contains("/x/new.odf"));
    ASSERT_EQ(m_restored.size(), 1u);
    EXPECT_EQ(m_restored[0].bytes, "new");
    EXPECT_EQ(RecoveryFiles().size(), 1);
}

} // namespace
} // namespace varko::session
