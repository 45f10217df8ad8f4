#include "recovery_fixture.h"
#include "varko/maintree/session/recovery_record.h"

#include <QDir>

namespace varko::maintree {
namespace {

using testing::kDiscard;
using testing::kRestore;
using testing::RecoveryStoreTest;

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
} // namespace varko::maintree
