#include "recovery_fixture.h"
#include "varko/maintree/session/recovery_record.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <unistd.h>

namespace varko::maintree {
namespace {

using platform::ScriptedDesktop;
using testing::HeldJobs;
using testing::kDiscard;
using testing::kRestore;
using testing::RecoveryStoreTest;

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

} // namespace
} // namespace varko::maintree
