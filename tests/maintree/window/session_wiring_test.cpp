#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/main_menu.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/session_wiring.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/maintree/session/disk_change_policy.h"
#include "varko/maintree/session/reopen_menu.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

namespace varko::maintree {
namespace {

using platform::Answer;
using Kind = platform::ScriptedDesktop::Kind;

// The Reopen menu and the watch on the open file, in the window.
class SessionWiringTest : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
        Session().diskWatcher().setSettleDelay(5);
        m_desktop.ClearHistory();
    }

    SessionWiring& Session() const { return m_window->editorFeatures().session(); }
    EditorPane& Editor() const { return m_window->editor(); }
    Documents& Document() const { return m_window->documents(); }
    QMenu& Reopen() const { return *Session().reopenMenu().menu(); }
    // The entries as the menu shows them when it opens.
    QStringList ReopenEntries() const {
        emit Reopen().aboutToShow();
        QStringList shown;
        for (const QAction* entry : Reopen().actions())
            shown << (entry->isEnabled() ? entry->data().toString() : entry->text());
        return shown;
    }
    QString Write(const QString& name, const QByteArray& bytes) const {
        WriteFile(PathOf(name), bytes);
        return PathOf(name);
    }
    // Another program replaces the file the way most editors save: a new file renamed over it.
    void ReplaceOnDisk(const QString& path, const QByteArray& bytes) const {
        WriteFile(path + ".new", bytes);
        ASSERT_EQ(
            std::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData()),
            0);
    }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(SessionWiringTest, ReopenFollowsSaveAsInTheFileMenuAndStartsEmpty) {
    const QMenu* file = m_window->findChild<QMenu*>(QStringLiteral("fileMenu"));
    ASSERT_NE(file, nullptr);
    const QList<QAction*> items = file->actions();
    const qsizetype saveAs = items.indexOf(m_window->menu().saveAs);
    ASSERT_GE(saveAs, 0);
    ASSERT_LT(saveAs + 1, items.size());
    EXPECT_EQ(items[saveAs + 1]->menu(), &Reopen());
    EXPECT_EQ(items[saveAs + 1]->text(), "Reopen");
    EXPECT_EQ(Reopen().accessibleName(), "Reopen");
    EXPECT_EQ(items.value(saveAs + 2)->objectName(), "byeSeparator") << "the items after it keep their order";
    EXPECT_EQ(ReopenEntries(), QStringList{"(empty)"});
}

TEST_F(SessionWiringTest, OpenedAndSavedFilesAreReopenedMostRecentFirst) {
    const QString a = Write("a.odf", "a\r\n"), b = Write("b.odf", "b\r\n"), c = Write("c.tt", "c\r\n");
    for (const QString& path : {a, b, c})
        Document().openFile(path);
    m_desktop.QueueFileChoice(PathOf("d.odf"));
    Document().saveAs();
    EXPECT_EQ(ReopenEntries(), (QStringList{PathOf("d.odf"), c, b, a}));
    EXPECT_TRUE(ReadFile(AppDir() + "prefs.ini").contains("[Recent]\r\nFile1=" + PathOf("d.odf").toUtf8()));
    EXPECT_TRUE(ReadFile(AppDir() + "prefs.ini").contains("[Dirs]")) << "the other sections stay";

    ASSERT_TRUE(QFile::remove(b));
    EXPECT_EQ(ReopenEntries(), (QStringList{PathOf("d.odf"), c, a})) << "a file that is gone is dropped";
    for (QAction* entry : Reopen().actions()) {
        if (entry->data().toString() == a)
            entry->trigger();
    }
    EXPECT_EQ(Document().currentFile(), a);
    EXPECT_EQ(Editor().toPlainText(), "a\n");
    EXPECT_EQ(ReopenEntries().first(), a);
}

TEST_F(SessionWiringTest, TheListKeepsTheLastEight) {
    QStringList opened;
    for (int i = 0; i < 10; ++i) {
        opened.prepend(Write(QStringLiteral("f%1.odf").arg(i), "x"));
        Document().openFile(opened.first());
    }
    EXPECT_EQ(ReopenEntries(), opened.mid(0, 8));
}

TEST_F(SessionWiringTest, AnUnmodifiedDocumentReloadsAtOnceKeepingItsCaretLine) {
    const QString path = Write("live.odf", "one\r\ntwo\r\nthree\r\n");
    Document().openFile(path);
    Editor().setSelStart(Editor().startOfLine(2) + 2);
    ReplaceOnDisk(path, "ONE\r\nTWO\r\nTHREE\r\nFOUR\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Editor().toPlainText() == "ONE\nTWO\nTHREE\nFOUR\n"; }, 5000));
    EXPECT_EQ(Editor().textCursor().blockNumber(), 2);
    EXPECT_FALSE(Editor().isModified());
    EXPECT_TRUE(m_desktop.History().empty()) << "nothing is asked";
}

TEST_F(SessionWiringTest, AModifiedDocumentAsksAndEachButtonDoesItsWork) {
    struct Row {
        const char* name;
        int choice;
        QString text;
        bool modified;
    };
    const Row rows[] = {
        {"Reload", 0, "disk 1\n", false},
        {"Keep Mine", 1, "mine disk 0\n", true},
        {"closed box", -1, "mine disk 0\n", true},
    };
    const QString path = Write("both.odf", "disk 0\r\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Document().openFile(path);
        m_desktop.ClearHistory();
        QTest::keyClicks(&Editor(), "mine ");
        ReplaceOnDisk(path, "disk 1\r\n");
        m_desktop.QueueChoice(row.choice);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_desktop.Of(Kind::Choose).empty(); }, 5000));
        QTest::qWait(20);
        const auto asked = m_desktop.Of(Kind::Choose);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].text.contains(path));
        EXPECT_TRUE(asked[0].text.contains("changed on disk"));
        EXPECT_EQ(asked[0].buttons, (QStringList{"Reload", "Keep Mine"}));
        EXPECT_EQ(Editor().toPlainText(), row.text);
        EXPECT_EQ(Editor().isModified(), row.modified);
        if (Editor().isModified())
            m_desktop.QueueAnswer(Answer::No);
        Document().newDocument(Documents::Kind::Odf);
        Write("both.odf", "disk 0\r\n");
    }
}

TEST_F(SessionWiringTest, ADeletedFileIsReportedOnceAndItsTextStays) {
    const QString path = Write("gone.odf", "kept\r\n");
    Document().openFile(path);
    QTest::keyClicks(&Editor(), "x");
    ASSERT_TRUE(QFile::remove(path));
    const QString notice = maintree::DiskChangePolicy::DeletedNotice(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->statusPanels().currentMessage() == notice; }, 5000));
    m_window->statusPanels().clearMessage();
    Write("neighbour.odf", "y"); // the folder changes; the file is still gone
    QTest::qWait(100);
    EXPECT_EQ(m_window->statusPanels().currentMessage(), "");
    EXPECT_EQ(Editor().toPlainText(), "xkept\n");
    EXPECT_TRUE(Editor().isModified());
    EXPECT_TRUE(m_desktop.History().empty());
}

TEST_F(SessionWiringTest, TheEditorsOwnSaveIsNoChangeOnDisk) {
    const QString path = Write("own.odf", "a\r\n");
    Document().openFile(path);
    QTest::keyClicks(&Editor(), "b");
    Document().save();
    QTest::qWait(100);
    EXPECT_TRUE(m_desktop.History().empty());
    EXPECT_EQ(ReadFile(path), "ba\r\n");
}

} // namespace
} // namespace varko::maintree
