#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/maintree/session/caret_line.h"
#include "varko/maintree/session/disk_change_policy.h"
#include "varko/maintree/session/disk_watcher.h"
#include "varko/textrules/atomic_file.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <fcntl.h>
#include <unistd.h>

namespace varko::maintree {
namespace {

using platform::ScriptedDesktop;

class DiskWatcherTest : public testing::SessionFixture {
protected:
    void SetUp() override {
        m_path = WriteFile("a.odf", "a = 1\r\n");
        m_watcher.setSettleDelay(30);
        m_watcher.watch(m_path);
    }
    // Another program rewrites the file in place.
    void WriteInPlace(const QByteArray& bytes) const { WriteFile(m_path, bytes); }
    // Another program (or this editor) writes a new file and renames it over the old one.
    void Replace(const QByteArray& bytes) const {
        ASSERT_TRUE(
            textrules::ReplaceFileContent(QFile::encodeName(m_path).toStdString(), bytes.toStdString()));
    }
    // Lets events arrive for a while: for checking that nothing was reported.
    static void Settle() {
        WaitFor([] { return false; }, 400);
    }
    bool WaitForChanges(int count) {
        return WaitFor([&] { return m_changed.count() >= count; }) && m_changed.count() == count;
    }

    QString m_path;
    DiskWatcher m_watcher;
    QSignalSpy m_changed{&m_watcher, &DiskWatcher::changedOnDisk};
    QSignalSpy m_deleted{&m_watcher, &DiskWatcher::deletedOnDisk};
};

TEST_F(DiskWatcherTest, OtherProgramsWritesAreSeenEachTime) {
    struct Row {
        const char* name;
        bool inPlace;
    };
    const Row rows[] = {
        {"in place", true}, {"replaced", false}, {"replaced again", false}, {"in place after", true}};
    int expected = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray bytes = QByteArray("b = ") + QByteArray::number(++expected) + "\r\n";
        row.inPlace ? WriteInPlace(bytes) : Replace(bytes);
        ASSERT_TRUE(WaitForChanges(expected)) << m_changed.count();
        EXPECT_EQ(m_changed.last().at(0).toString(), m_path);
    }
    EXPECT_EQ(m_deleted.count(), 0) << "a replace is no deletion";
}

// The old file, still open somewhere, keeps its inode alive: the watch must move to the new one.
TEST_F(DiskWatcherTest, RearmedWhileTheReplacedFileIsStillOpen) {
    const int held = ::open(QFile::encodeName(m_path).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    Replace("b = 1\r\n");
    ASSERT_TRUE(WaitForChanges(1));
    WriteInPlace("b = 2\r\n");
    EXPECT_TRUE(WaitForChanges(2)) << "a write to the new file was missed";
    ::close(held);
}

TEST_F(DiskWatcherTest, OwnSavesAreNotReported) {
    struct Row {
        const char* name;
        bool withBytes;
    };
    const Row rows[] = {{"noted by reading the file", false}, {"noted with the bytes written", true}};
    int foreign = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray mine = QByteArray("mine = ") + row.name + "\r\n";
        Replace(mine);
        row.withBytes ? m_watcher.noteSaved(m_path, mine) : m_watcher.noteSaved(m_path);
        Settle();
        EXPECT_EQ(m_changed.count(), foreign);
        WriteInPlace("theirs = " + QByteArray::number(++foreign) + "\r\n");
        EXPECT_TRUE(WaitForChanges(foreign)) << "the watch still works after our save";
    }
}

// Another program's write that lands while we save is not taken for ours.
TEST_F(DiskWatcherTest, AWriteDuringOurSaveIsReported) {
    Replace("theirs\r\n");
    m_watcher.noteSaved(m_path, "mine\r\n");
    EXPECT_TRUE(WaitForChanges(1));
}

TEST_F(DiskWatcherTest, SameContentIsNoChange) {
    Replace("a = 1\r\n");
    WriteInPlace("a = 1\r\n");
    Settle();
    EXPECT_EQ(m_changed.count(), 0);
    WriteInPlace("a = 2\r\n");
    EXPECT_TRUE(WaitForChanges(1));
}

TEST_F(DiskWatcherTest, DeletionIsReportedOncePerDisappearance) {
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(WaitFor([&] { return m_deleted.count() == 1; }));
    WriteFile(PathOf("other.odf"), "x"); // more events in the folder
    Settle();
    EXPECT_EQ(m_deleted.count(), 1);
    EXPECT_EQ(m_changed.count(), 0);
    WriteInPlace("back = 1\r\n");
    ASSERT_TRUE(WaitForChanges(1)) << "a file written again is a change";
    ASSERT_TRUE(QFile::remove(m_path));
    EXPECT_TRUE(WaitFor([&] { return m_deleted.count() == 2; }));
}

TEST_F(DiskWatcherTest, CheckNowSeesAChangeBeforeAnyEventArrives) {
    WriteInPlace("b = 1\r\n");
    m_watcher.checkNow();
    EXPECT_EQ(m_changed.count(), 1);
    Settle();
    EXPECT_EQ(m_changed.count(), 1) << "the events that follow report it no second time";
}

TEST_F(DiskWatcherTest, UnwatchedFileIsQuiet) {
    m_watcher.unwatch();
    WriteInPlace("b = 1\r\n");
    QFile::remove(m_path);
    Settle();
    EXPECT_EQ(m_changed.count() + m_deleted.count(), 0);
}

// A receiver that shows a box runs an event loop; a change made meanwhile waits for the answer.
TEST_F(DiskWatcherTest, NoReportWhileTheLastOneIsBeingAnswered) {
    int depth = 0, deepest = 0;
    QObject::connect(&m_watcher, &DiskWatcher::changedOnDisk, &m_watcher, [&] {
        deepest = std::max(deepest, ++depth);
        if (m_changed.count() == 1) {
            WriteInPlace("b = 2\r\n");
            Settle();
        }
        --depth;
    });
    WriteInPlace("b = 1\r\n");
    ASSERT_TRUE(WaitFor([&] { return m_changed.count() >= 2; }));
    EXPECT_EQ(deepest, 1);
}

// The document side of a reload: a QPlainTextEdit that reads its file and tells the watcher.
class EditorDocument : public DiskChangePolicy::Document {
public:
    EditorDocument(QString path, DiskWatcher& watcher) : m_path(std::move(path)), m_watcher(watcher) {}
    bool modified() const override { return m_modified; }
    int caretLine() const override { return CaretLine(m_editor); }
    void reload(int line) override {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        m_editor.setPlainText(QString::fromLatin1(file.readAll()));
        m_modified = false;
        m_watcher.watch(m_path);
        PutCaretOnLine(m_editor, line);
    }
    void showStatus(const QString& text) override { m_status << text; }

    QString m_path;
    DiskWatcher& m_watcher;
    QPlainTextEdit m_editor;
    bool m_modified = false;
    QStringList m_status;
};

TEST_F(DiskWatcherTest, PolicyReloadsKeepingTheCaretLine) {
    struct Row {
        const char* name;
        bool modified;
        int answer;
        int caretLine;
        QByteArray onDisk;
        QString text;
        int caretAfter;
    };
    const Row rows[] = {
        {"unmodified", false, -2, 2, "A\nB\nC\nD\n", "A\nB\nC\nD\n", 2},
        {"unmodified, file now shorter", false, -2, 4, "A\nB", "A\nB", 1},
        {"modified, Reload", true, 0, 3, "A\nB\nC\nD\nE", "A\nB\nC\nD\nE", 3},
        {"modified, Keep Mine", true, 1, 3, "A\nB\nC\nD\nF", "mine\n1\n2\n3\n4", 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedDesktop desktop;
        if (row.answer >= 0)
            desktop.QueueChoice(row.answer);
        EditorDocument document(m_path, m_watcher);
        DiskChangePolicy policy(document, desktop);
        QMetaObject::Connection link =
            QObject::connect(&m_watcher, &DiskWatcher::changedOnDisk, &m_watcher,
                             [&](const QString& path) { policy.fileChanged(path); });
        document.m_editor.setPlainText("mine\n1\n2\n3\n4");
        document.m_modified = row.modified;
        PutCaretOnLine(document.m_editor, row.caretLine);
        const int before = m_changed.count();
        WriteInPlace(row.onDisk);
        ASSERT_TRUE(WaitForChanges(before + 1));
        EXPECT_EQ(document.m_editor.toPlainText(), row.text);
        EXPECT_EQ(CaretLine(document.m_editor), row.caretAfter);
        EXPECT_EQ(document.m_modified, row.answer == 1);
        EXPECT_EQ(desktop.Of(ScriptedDesktop::Kind::Choose).size(), row.modified ? 1u : 0u);
        QObject::disconnect(link);
    }
}

} // namespace
} // namespace varko::maintree
