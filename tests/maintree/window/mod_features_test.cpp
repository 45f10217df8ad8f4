#include "mod_window_fixture.h"
#include "varko/maintree/assist/completion.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace varko::maintree {
namespace {

using ModFeaturesTest = ModWindowFixture;

// Each key of the Mod menu reaches its item from the editor.
TEST_F(ModFeaturesTest, EachShortcutTriggersItsItem) {
    Start();
    const maintree::ModMenuItems& menu = Features().menu();
    struct Row {
        const char* name;
        QAction* item;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Row rows[] = {
        {"Run", menu.run, Qt::Key_F9, Qt::NoModifier},
        {"Check Mod", menu.checkMod, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier},
        {"Go to File", menu.goToFile, Qt::Key_F12, Qt::NoModifier},
        {"Find References", menu.findReferences, Qt::Key_F12, Qt::ShiftModifier},
        {"Quick Fix...", menu.quickFix, Qt::Key_Period, Qt::ControlModifier},
        {"Complete", menu.complete, Qt::Key_Space, Qt::ControlModifier},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.item->text(), row.name);
        QSignalSpy triggered(row.item, &QAction::triggered);
        QTest::keyClick(&Editor(), row.key, row.modifiers);
        EXPECT_EQ(triggered.count(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->checkRun().running(); }, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Features().checkModJob().isRunning(); }, 10000));
        Editor().setFocus();
    }
}

// Run in the Mod menu is the Run button's command: the same messages, the same summary.
TEST_F(ModFeaturesTest, RunItemRunsAsTheRunButtonDoes) {
    Start();
    Features().setCheckWhileTyping(false);
    QTest::keyClicks(&Editor(), "baseClass = ghost");
    QStringList seen[2];
    QString summaries[2];
    QAction* const presses[] = {m_window->toolBar().run, Features().menu().run};
    for (int i = 0; i < 2; ++i) {
        QSignalSpy ended(&m_window->checkRun(), &CheckRun::runEnded);
        presses[i]->trigger();
        ASSERT_TRUE(ended.wait(10000));
        for (int row = 0; row < m_window->layout().messageList->count(); ++row)
            seen[i] << m_window->layout().messageList->item(row)->text();
        summaries[i] = m_window->statusPanels().panelText(StatusPanel::CheckResult);
    }
    EXPECT_EQ(seen[1], seen[0]);
    EXPECT_EQ(summaries[1], summaries[0]);
    EXPECT_TRUE(seen[0].join('\n').contains("File not found: ghost.odf"));
}

// Marks come a while after the typing stops, from one check of the latest text; the message list
// and the summary wait for Run.
TEST_F(ModFeaturesTest, LiveCheckMarksTheLatestTextAfterThePause) {
    Start();
    QSignalSpy ready(&Features().liveChecker(), &maintree::LiveChecker::findingsReady);
    QTest::keyClicks(&Editor(), "baseClass = ghost");
    QTest::qWait(150);
    EXPECT_EQ(Editor().faultMarkCount(), 0) << "nothing before the pause";
    ASSERT_TRUE(QTest::qWaitFor([&] { return Editor().faultMarkCount() == 1; }, 10000));
    EXPECT_EQ(ready.count(), 1) << "one check for the whole burst of keys";
    EXPECT_EQ(MarksOfLine(1), "Line 1: Error - File not found: ghost.odf");
    EXPECT_FALSE(m_window->layout().messageList->isVisible());
    EXPECT_EQ(m_window->layout().messageList->count(), 0);
    EXPECT_EQ(m_window->statusPanels().panelText(StatusPanel::CheckResult), "");

    // A fix typed while nothing is checked yet: the stale mark goes with the next result.
    QTest::keyClick(&Editor(), Qt::Key_Backspace);
    QTest::keyClick(&Editor(), Qt::Key_Return);
    QTest::keyClicks(&Editor(), "baseClass = tank");
    ASSERT_TRUE(WaitForLiveCheck());
    EXPECT_EQ(MarksOfLine(1), "Line 1: Error - File not found: ghos.odf");
    EXPECT_EQ(MarksOfLine(2), "Line 2: Error - property baseClass specified more than once!");
}

// A result for text that has changed since is never shown.
TEST_F(ModFeaturesTest, AResultForOlderTextIsDropped) {
    Start();
    Features().liveChecker().setDelay(0);
    QSignalSpy ready(&Features().liveChecker(), &maintree::LiveChecker::findingsReady);
    // Long enough that its check is still running when the next text comes.
    Editor().setPlainText(QStringLiteral("baseClass = ghost\n").repeated(20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Features().liveChecker().isChecking(); }, 5000));
    Editor().setPlainText(QStringLiteral("baseClass = tank"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return ready.count() > 0 && !Features().liveChecker().isChecking(); }, 10000));
    QTest::qWait(50);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_TRUE(ready.at(0).at(0).value<std::vector<compiler::Finding>>().empty());
    EXPECT_EQ(Editor().faultMarkCount(), 0);
}

// A check that cannot run says so in the status bar, once, and never in a box.
TEST_F(ModFeaturesTest, ALiveCheckWithoutDeclarationsSaysSoInTheStatusBar) {
    QFile::remove(AppDir() + QStringLiteral("declarations.txt"));
    Start();
    m_desktop.ClearHistory();
    QTest::keyClicks(&Editor(), "baseClass = ghost");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !StatusMessage().isEmpty(); }, 10000));
    EXPECT_EQ(StatusMessage(), "Cannot access the declarations file \"declarations.txt\"!");
    EXPECT_EQ(Editor().faultMarkCount(), 0);
    EXPECT_TRUE(m_desktop.History().empty());
}

TEST_F(ModFeaturesTest, CheckingSettingsAreReadFromTheirOwnSection) {
    struct Row {
        const char* name;
        QByteArray checking;
        bool live, extra;
    };
    const Row rows[] = {
        {"missing section", "", true, true},
        {"both off", "[Checking]\r\nLiveCheck=0\r\nExtraChecks=0\r\n", false, false},
        {"live off", "[Checking]\r\nLiveCheck=0\r\n", false, true},
        {"extra off", "[Checking]\r\nExtraChecks=0\r\n", true, false},
        {"keys of another section", "[Display]\r\nLiveCheck=0\r\nExtraChecks=0\r\n", true, true},
    };
    const QByteArray accepted = ReadFile(AppDir() + QStringLiteral("prefs.ini"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WritePrefs(accepted + row.checking);
        auto window = MakeWindow();
        EXPECT_EQ(window->modFeatures().checkWhileTyping(), row.live);
        EXPECT_EQ(window->modFeatures().extraChecks(), row.extra);
        EXPECT_EQ(ReadFile(AppDir() + QStringLiteral("prefs.ini")), accepted + row.checking) << "only read";
    }
}

TEST_F(ModFeaturesTest, WithoutCheckWhileTypingNothingIsMarkedUntilItIsOnAgain) {
    WritePrefs(ReadFile(AppDir() + QStringLiteral("prefs.ini")) + "[Checking]\r\nLiveCheck=0\r\n");
    Start();
    QTest::keyClicks(&Editor(), "baseClass = ghost");
    QTest::qWait(maintree::LiveChecker::kDefaultDelayMs + 300);
    EXPECT_EQ(Editor().faultMarkCount(), 0);
    Features().setCheckWhileTyping(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Editor().faultMarkCount() == 1; }, 10000));
}

// The checks across files join the live check while "Extra checks" is on.
TEST_F(ModFeaturesTest, ExtraChecksJoinTheLiveCheck) {
    WriteModFile("a.odf", "");
    WriteModFile("b.odf", "");
    WriteModFile("loop.odf", "#include \"loop.odf\"\r\n");
    struct Row {
        const char* name;
        const char* file;
        bool extra;
        const char* marks;
    };
    const Row rows[] = {
        {"tech-tree circle", "tree.tt", true, "Line 1: Error - Tech tree cycle: a.odf -> b.odf -> a.odf"},
        {"circle unchecked", "tree.tt", false, ""},
        {"include cycle", "loop.odf", true, "Line 1: Error - Include cycle: loop.odf -> loop.odf"},
        {"include cycle unchecked", "loop.odf", false, ""},
    };
    WriteModFile("tree.tt", "a.odf 1 b.odf\r\nb.odf 1 a.odf\r\n");
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Features().setExtraChecks(row.extra);
        Open(row.file);
        ASSERT_TRUE(WaitForLiveCheck());
        EXPECT_EQ(MarksOfLine(1), row.marks);
    }
}

// Completion opens by itself after two letters of a name at the start of a line, and on Complete.
TEST_F(ModFeaturesTest, CompletionOffersPropertyNames) {
    Start();
    maintree::Completion& completion = Features().completion();
    EXPECT_EQ(completion.popup()->accessibleName(), "Completions");
    QTest::keyClicks(&Editor(), "h");
    QTest::qWait(50);
    EXPECT_FALSE(completion.isPopupVisible()) << "one letter is not enough";
    QTest::keyClicks(&Editor(), "u");
    ASSERT_TRUE(QTest::qWaitFor([&] { return completion.isPopupVisible(); }, 5000));
    EXPECT_EQ(completion.popup()->model()->index(0, 0).data().toString(), "hull");
    QTest::keyClick(completion.popup(), Qt::Key_Return);
    EXPECT_EQ(Editor().toPlainText(), "hull");
    EXPECT_FALSE(completion.isPopupVisible());

    QTest::keyClick(&Editor(), Qt::Key_Return);
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(completion.isPopupVisible());
    QStringList offered;
    for (int row = 0; row < completion.popup()->model()->rowCount(); ++row)
        offered << completion.popup()->model()->index(row, 0).data().toString();
    EXPECT_EQ(offered, QStringList({"baseClass", "hull", "maxHealth", "unitName"}));
    QTest::keyClick(completion.popup(), Qt::Key_Escape);
    EXPECT_FALSE(completion.isPopupVisible());
    EXPECT_EQ(Editor().toPlainText(), "hull\n");
}

// The value of a file-typed property is completed from the addon directory's files.
TEST_F(ModFeaturesTest, CompletionOffersTheModsFilesForAFileValue) {
    Start();
    QTest::keyClicks(&Editor(), "baseClass = ");
    Features().menu().complete->trigger();
    maintree::Completion& completion = Features().completion();
    ASSERT_TRUE(completion.isPopupVisible());
    QStringList offered;
    for (int row = 0; row < completion.popup()->model()->rowCount(); ++row)
        offered << completion.popup()->model()->index(row, 0).data().toString();
    EXPECT_EQ(offered, QStringList({"base", "tank"}));
}

TEST_F(ModFeaturesTest, HoverNamesTheTypeAndWhereAFileIs) {
    Start();
    Editor().setPlainText(QStringLiteral("baseClass = tank\nbaseClass = ghost"));
    const auto tipAt = [&](int line, int column) {
        QTextCursor cursor(Editor().document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        return Features().hoverTips().textAt(Editor().cursorRect(cursor).center());
    };
    EXPECT_EQ(tipAt(0, 3), "baseClass: odf");
    EXPECT_EQ(tipAt(0, 14), "tank.odf: found in " + QDir(PathOf(QString())).canonicalPath());
    EXPECT_EQ(tipAt(1, 14), "ghost.odf: not found in the addon directory");
}

} // namespace
} // namespace varko::maintree
