#include "session_fixture.h"
#include "varko/maintree/session/recent_files.h"
#include "varko/maintree/session/recent_list.h"
#include "varko/maintree/session/reopen_menu.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>

#include <filesystem>
#include <sys/stat.h>

namespace varko::maintree {
namespace {

using Paths = std::vector<std::string>;

TEST(AddRecent, OrderRepeatsAndLength) {
    const std::string cwd = std::filesystem::current_path().string();
    const Paths eight = {"/m/1", "/m/2", "/m/3", "/m/4", "/m/5", "/m/6", "/m/7", "/m/8"};
    struct Row {
        const char* name;
        Paths before;
        std::string added;
        Paths after;
    };
    const Row rows[] = {
        {"first entry", {}, "/d/a.odf", {"/d/a.odf"}},
        {"newest goes first", {"/d/a.odf", "/d/b.odf"}, "/d/c.odf", {"/d/c.odf", "/d/a.odf", "/d/b.odf"}},
        {"a repeat moves to the front", {"/d/a", "/d/b", "/d/c"}, "/d/b", {"/d/b", "/d/a", "/d/c"}},
        {"already first", {"/d/a", "/d/b"}, "/d/a", {"/d/a", "/d/b"}},
        {"another spelling of one path", {"/d/a.odf", "/e"}, "/d/x/.././a.odf", {"/d/a.odf", "/e"}},
        {"doubled and trailing slashes", {"/d/a"}, "//d//a/", {"/d/a"}},
        {"relative path made absolute", {}, "rel/a.odf", {cwd + "/rel/a.odf"}},
        {"letter case makes another file", {"/d/A.odf"}, "/d/a.odf", {"/d/a.odf", "/d/A.odf"}},
        {"a ninth entry drops the oldest",
         eight,
         "/m/9",
         {"/m/9", "/m/1", "/m/2", "/m/3", "/m/4", "/m/5", "/m/6", "/m/7"}},
        {"a repeat in a full list drops nothing else",
         eight,
         "/m/8",
         {"/m/8", "/m/1", "/m/2", "/m/3", "/m/4", "/m/5", "/m/6", "/m/7"}},
        {"line feed cannot be stored", {"/d/a"}, "/d/x\ny", {"/d/a"}},
        {"carriage return cannot be stored", {"/d/a"}, "/d/x\ry", {"/d/a"}},
        {"empty name", {"/d/a"}, "", {"/d/a"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AddRecent(row.before, row.added), row.after) << row.name;
}

class RecentFilesTest : public testing::SessionFixture {
protected:
    QString Prefs() const { return PathOf("prefs.ini"); }
    // A file that exists, under the test's directory.
    QString Existing(const QString& name) { return WriteFile(name, "x"); }
};

TEST_F(RecentFilesTest, StoredListAsRead) {
    const QString a = Existing("a.odf"), b = Existing("b.odf"), c = Existing("c.odf");
    const QString blank = Existing("ends in blank.odf ");
    const QString gone = PathOf("gone.odf");
    const QString dir = AppDir();
    struct Row {
        const char* name;
        QString recent;
        QStringList shown;
    };
    const Row rows[] = {
        {"in key order", "File1=" + b + "\nFile2=" + a + "\n", {b, a}},
        {"gaps and empty keys skipped", "File2=" + a + "\nFile3=\nFile5=" + c + "\n", {a, c}},
        {"gone file left out", "File1=" + gone + "\nFile2=" + a + "\n", {a}},
        {"a folder is no file", "File1=" + dir + "\nFile2=" + a + "\n", {a}},
        {"a repeat shown once", "File1=" + a + "\nFile2=" + dir + "/./a.odf\nFile3=" + b + "\n", {a, b}},
        {"keys past File8 ignored", "File8=" + a + "\nFile9=" + b + "\n", {a}},
        {"quoted path keeps its last blank", "File1=\"" + blank + "\"\n", {blank}},
        {"no section", "", {}},
    };
    for (const Row& row : rows) {
        WriteFile("prefs.ini", "[Other]\nFile1=" + c.toUtf8() + "\n[Recent]\n" + row.recent.toUtf8());
        textrules::TIniFile prefs(QFile::encodeName(Prefs()).toStdString());
        EXPECT_EQ(RecentFiles(prefs).files(), row.shown) << row.name;
    }
}

// The list is written as a block of its own: every other byte of prefs.ini stays as it was.
TEST_F(RecentFilesTest, OtherSectionsStayByteForByte) {
    const QString a = Existing("a.odf"), b = Existing("b.odf");
    const QByteArray head = "; settings\r\n[Application]\r\nVersion=1.1\r\n\r\n";
    const QByteArray tail = "\r\n[Window]\r\nLeft = 10 ; x\r\nState=2\r\n[Display]\nFont=Courier New";
    const QByteArray list = "[Recent]\r\nFile1=" + b.toUtf8() + "\r\nFile2=" + a.toUtf8() + "\r\n";
    struct Row {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Row rows[] = {
        {"section in the middle", head + "[Recent]\r\nFile1=/old\r\n" + tail, head + list + tail},
        {"its own comment and keys replaced", head + "[Recent]\r\n; mine\r\nFile7=/x\r\nFile8=/y\r\n" + tail,
         head + list + tail},
        {"section appended", head + tail, head + tail + "\r\n\r\n" + list},
    };
    for (const Row& row : rows) {
        WriteFile("prefs.ini", row.before);
        textrules::TIniFile prefs(QFile::encodeName(Prefs()).toStdString());
        RecentFiles recent(prefs);
        ASSERT_TRUE(recent.add(a));
        ASSERT_TRUE(recent.add(b));
        EXPECT_EQ(ReadFile(Prefs()), row.after) << row.name;
    }
}

TEST_F(RecentFilesTest, GoneEntriesAreLeftOutAndDroppedAtTheNextWrite) {
    textrules::TIniFile prefs(QFile::encodeName(Prefs()).toStdString());
    RecentFiles recent(prefs);
    QStringList added;
    for (int i = 0; i < 9; ++i) {
        added.prepend(Existing(QStringLiteral("f%1.odf").arg(i)));
        ASSERT_TRUE(recent.add(added.front()));
    }
    EXPECT_EQ(recent.files(), added.mid(0, 8)) << "the oldest of nine fell off";
    QFile::remove(added[2]);
    QStringList shown = added.mid(0, 8);
    shown.removeAt(2);
    EXPECT_EQ(recent.files(), shown) << "a gone file is not shown";
    ASSERT_TRUE(recent.add(added[8]));
    shown.prepend(added[8]);
    EXPECT_EQ(recent.files(), shown) << "its place went to the file added next; nothing else fell off";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(QString::fromStdString(prefs.ReadText("Recent", RecentKey(i), "")), shown[i]) << i;
}

TEST_F(RecentFilesTest, AddingTheNewestAgainLeavesTheFileAlone) {
    textrules::TIniFile prefs(QFile::encodeName(Prefs()).toStdString());
    RecentFiles recent(prefs);
    ASSERT_TRUE(recent.add(Existing("a.odf")));
    ASSERT_TRUE(recent.add(Existing("b.odf")));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(Prefs()).constData(), &before), 0);
    ASSERT_TRUE(recent.add(PathOf("b.odf")));
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(Prefs()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "no write replaced prefs.ini";
}

TEST_F(RecentFilesTest, UnwritablePrefsDoNotStopTheCommand) {
    WriteFile("blocker", "a regular file");
    textrules::TIniFile prefs(QFile::encodeName(PathOf("blocker/prefs.ini")).toStdString());
    EXPECT_FALSE(RecentFiles(prefs).add(Existing("a.odf")));
}

class ReopenMenuTest : public RecentFilesTest {
protected:
    void SetUp() override {
        m_prefs = std::make_unique<textrules::TIniFile>(QFile::encodeName(Prefs()).toStdString());
        m_recent = std::make_unique<RecentFiles>(*m_prefs);
    }
    static QAccessibleInterface* EntryOf(QMenu& menu, int index) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&menu);
        return face ? face->child(index) : nullptr;
    }

    QWidget m_window;
    std::unique_ptr<textrules::TIniFile> m_prefs;
    std::unique_ptr<RecentFiles> m_recent;
};

TEST_F(ReopenMenuTest, EmptyListShowsOneDisabledEntry) {
    ReopenMenu reopen(*m_recent, &m_window);
    EXPECT_EQ(reopen.menu()->title(), "Reopen");
    ASSERT_EQ(reopen.menu()->actions().size(), 1);
    EXPECT_EQ(reopen.menu()->actions()[0]->text(), "(empty)");
    EXPECT_FALSE(reopen.menu()->actions()[0]->isEnabled());
    QSignalSpy chosen(&reopen, &ReopenMenu::fileChosen);
    reopen.menu()->actions()[0]->trigger();
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(ReopenMenuTest, EntriesShowFullPathsAndOpenThroughTheirAccessibilityAction) {
    const QString plain = Existing("plain.odf");
    QDir().mkpath(PathOf("R&D"));
    const QString ampersand = Existing("R&D/a&&b.odf");
    m_recent->add(plain);
    m_recent->add(ampersand);
    ReopenMenu reopen(*m_recent, &m_window);
    QSignalSpy chosen(&reopen, &ReopenMenu::fileChosen);
    const QList<QAction*> entries = reopen.menu()->actions();
    ASSERT_EQ(entries.size(), 2);
    QString escaped = ampersand;
    escaped.replace("&", "&&");
    EXPECT_EQ(entries[0]->text(), escaped);
    EXPECT_EQ(entries[1]->text(), plain);
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface* entry = EntryOf(*reopen.menu(), i);
        ASSERT_NE(entry, nullptr);
        const QString path = i == 0 ? ampersand : plain;
        EXPECT_EQ(entry->text(QAccessible::Name), path) << "a screen reader reads the path as it is";
        ASSERT_NE(entry->actionInterface(), nullptr);
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_EQ(chosen.count(), i + 1);
        EXPECT_EQ(chosen.last().at(0).toString(), path);
    }
}

// Opening the menu reads the list again: files added by another editor appear, gone ones go.
TEST_F(ReopenMenuTest, ShowingTheMenuRefreshesIt) {
    const QString a = Existing("a.odf"), b = Existing("b.odf");
    m_recent->add(a);
    ReopenMenu reopen(*m_recent, &m_window);
    textrules::TIniFile otherPrefs(QFile::encodeName(Prefs()).toStdString());
    RecentFiles(otherPrefs).add(b);
    QFile::remove(a);
    reopen.menu()->popup(QPoint(0, 0));
    ASSERT_TRUE(WaitFor([&] { return reopen.menu()->isVisible(); }));
    QStringList texts;
    for (QAction* entry : reopen.menu()->actions())
        texts << entry->text();
    EXPECT_EQ(texts, QStringList{b});
    reopen.menu()->hide();
}

// The main window may refresh from its fileChosen handler, while the entry is still triggering.
TEST_F(ReopenMenuTest, RefreshFromTheChosenHandlerIsSafe) {
    const QString a = Existing("a.odf"), b = Existing("b.odf");
    m_recent->add(a);
    m_recent->add(b);
    ReopenMenu reopen(*m_recent, &m_window);
    QStringList opened;
    QObject::connect(&reopen, &ReopenMenu::fileChosen, &reopen, [&](const QString& path) {
        opened << path;
        m_recent->add(path);
        reopen.refresh();
    });
    reopen.menu()->actions()[1]->trigger();
    EXPECT_EQ(opened, QStringList{a});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(reopen.menu()->actions().size(), 2);
    EXPECT_EQ(reopen.menu()->actions()[0]->text(), a);
}

} // namespace
} // namespace varko::maintree
