#include "mod_window_fixture.h"
#include "varko/maintree/assist/mod_files_view.h"
#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/window/mod_problems_dock.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace varko::maintree {
namespace {

using platform::Answer;
using Kind = platform::ScriptedDesktop::Kind;

class ModNavigation : public ModWindowFixture {
protected:
    void PutCaret(int line, int column) {
        QTextCursor cursor(Editor().document()->findBlockByNumber(line - 1));
        cursor.setPosition(cursor.position() + column);
        Editor().setTextCursor(cursor);
    }
    int CaretLine() const { return Editor().textCursor().blockNumber() + 1; }
    QString Current() const { return m_window->documents().currentFile(); }
    // The tree's nodes: "file (n)" followed by its children, indented.
    QStringList ProblemRows() const {
        maintree::ModProblemsView& tree = *Features().problems().tree();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !tree.isAppending(); }, 10000));
        QStringList rows;
        for (int file = 0; file < tree.model()->rowCount(); ++file) {
            const QModelIndex node = tree.model()->index(file, 0);
            rows << node.data().toString();
            for (int child = 0; child < tree.model()->rowCount(node); ++child)
                rows << "  " + tree.model()->index(child, 0, node).data().toString();
        }
        return rows;
    }
};

// F12 on a file name opens it (asking about unsaved changes first); Back returns to the line.
TEST_F(ModNavigation, GoToFileAndBack) {
    WriteModFile("unit.odf", "unitName = \"Unit\"\r\nbaseClass = tank\r\n#include \"base.odf\"\r\n"
                             "baseClass = ghost\r\n");
    struct Row {
        const char* name;
        int line;
        bool modified;
        std::optional<Answer> answer;
        const char* opened; // nullptr: the document stays
        const char* status;
    };
    const Row rows[] = {
        {"file-name value", 2, false, std::nullopt, "tank.odf", ""},
        {"include line", 3, false, std::nullopt, "base.odf", ""},
        {"unsaved changes kept", 2, true, Answer::No, "tank.odf", ""},
        {"question cancelled", 2, true, Answer::Cancel, nullptr, ""},
        {"missing file", 4, false, std::nullopt, nullptr, "File not found: ghost.odf"},
        {"nothing named", 1, false, std::nullopt, nullptr, "No file name here"},
    };
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Open("unit.odf");
        m_desktop.ClearHistory();
        if (row.modified)
            QTest::keyClicks(&Editor(), " ");
        if (row.answer)
            m_desktop.QueueAnswer(*row.answer);
        PutCaret(row.line, 3);
        QTest::keyClick(&Editor(), Qt::Key_F12);
        EXPECT_EQ(m_desktop.Of(Kind::Confirm).size(), row.modified ? 1u : 0u);
        EXPECT_EQ(Current(), PathOf(row.opened ? row.opened : "unit.odf"));
        EXPECT_EQ(StatusMessage(), row.status);
        EXPECT_EQ(Features().menu().back->isEnabled(), row.opened != nullptr);
        if (!row.opened)
            continue;
        QTest::keyClick(&Editor(), Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(Current(), PathOf("unit.odf"));
        EXPECT_EQ(CaretLine(), row.line);
        EXPECT_FALSE(Features().menu().back->isEnabled());
    }
    Features().menu().back->setEnabled(true);
    Features().menu().back->trigger();
    EXPECT_EQ(StatusMessage(), "Nothing to go back to");
}

TEST_F(ModNavigation, ControlClickOpensTheFileUnderTheMouse) {
    WriteModFile("unit.odf", "unitName = \"Unit\"\r\nbaseClass = tank\r\n");
    Start();
    Open("unit.odf");
    QTextCursor cursor(Editor().document()->findBlockByNumber(1));
    cursor.setPosition(cursor.position() + 14);
    const QPoint at = Editor().cursorRect(cursor).center();
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(Current(), PathOf("unit.odf")) << "a plain click only places the caret";
    QTest::mouseClick(Editor().viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    EXPECT_EQ(Current(), PathOf("tank.odf"));
}

// A name that was not found gets the nearest existing ones, from the menu and the context menu;
// choosing one is one undo step.
TEST_F(ModNavigation, QuickFixReplacesTheNameInOneStep) {
    Start();
    QTest::keyClicks(&Editor(), "baseClass = tnak");
    ASSERT_TRUE(WaitForLiveCheck());
    QTest::keyClick(&Editor(), Qt::Key_Period, Qt::ControlModifier);
    QMenu* menu = Features().quickFix().menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_EQ(Editor().toPlainText(), "baseClass = tank");
    Editor().undo();
    EXPECT_EQ(Editor().toPlainText(), "baseClass = tnak");

    QMenu* context = m_window->editActions().contextMenu();
    QStringList shown;
    QTimer::singleShot(0, context, [&] {
        for (QAction* action : context->actions())
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
        // As a user chooses it: the menu hides first, then the action is triggered.
        context->setActiveAction(context->actions().constFirst());
        QTest::keyClick(context, Qt::Key_Return);
    });
    context->exec(QPoint(10, 10));
    EXPECT_EQ(shown, QStringList({"Change \"tnak\" to \"tank\"", "-", "&Undo", "-", "Cu&t", "&Copy", "&Paste",
                                  "-", "Select &All"}));
    EXPECT_EQ(Editor().toPlainText(), "baseClass = tank");
    QTest::qWait(0);
    EXPECT_EQ(context->actions().size(), 7) << "the fixes leave with the menu";

    Editor().setPlainText(QStringLiteral("unitName = \"Tank\""));
    ASSERT_TRUE(WaitForLiveCheck());
    Features().menu().quickFix->trigger();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(StatusMessage(), "No quick fix for this line");
}

TEST_F(ModNavigation, ModFilesPageListsFiltersAndOpens) {
    WriteModFile("tree.tt", "tank.odf 0\r\n");
    WriteModFile("notes.txt", "");
    Start();
    NavigationPanel& panel = *m_window->layout().navigationPanel;
    m_window->navigation().toggleNavigationPanel();
    QAction* page = Features().modFilesPage();
    auto* button = m_window->toolBar().bar->widgetForAction(page);
    QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(actions->actionNames().first());
    EXPECT_TRUE(page->isChecked());
    EXPECT_FALSE(m_window->toolBar().hierarchyPage->isChecked());
    EXPECT_EQ(panel.titleBar->text(), "Mod Files");
    maintree::ModFilesView& view = Features().modFiles();
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(panel.hierarchyTree->isVisible());
    // Listing and filtering run on a worker.
    const auto shown = [&view] {
        EXPECT_TRUE(QTest::qWaitFor([&view] { return !view.busy(); }, 5000));
        return view.shownNames();
    };
    EXPECT_EQ(shown(), QStringList({"base.odf", "tank.odf", "tree.tt"}));
    QTest::keyClicks(view.filterEdit(), "TA");
    EXPECT_EQ(shown(), QStringList({"tank.odf"}));
    QTest::keyClick(view.filterEdit(), Qt::Key_Return);
    EXPECT_EQ(Current(), PathOf("tank.odf"));
    // A file that went after the listing is said to be gone.
    view.filterEdit()->clear();
    shown();
    QFile::remove(PathOf("base.odf"));
    QTest::keyClick(view.filterEdit(), Qt::Key_Return);
    EXPECT_EQ(Current(), PathOf("tank.odf"));
    EXPECT_EQ(StatusMessage(), "File not found: " + PathOf("base.odf"));
    EXPECT_TRUE(m_desktop.History().empty());

    m_window->toolBar().browserPage->trigger();
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(panel.browserTree->isVisible());
    EXPECT_EQ(panel.titleBar->text(), "Object Browser");
}

// Check Mod lists each faulty file with its messages; Return on one opens the file at its line.
TEST_F(ModNavigation, CheckModFillsModProblems) {
    WriteModFile("faulty.odf", "unitName = \"F\"\r\nbaseClass = ghost\r\nbogus = 1\r\n");
    WriteModFile("tree.tt", "tank.odf 0\r\nmissing.odf 0\r\n");
    WriteModFile("loop.odf", "#include \"loop.odf\"\r\n");
    Start();
    ModProblemsDock& dock = Features().problems();
    EXPECT_FALSE(dock.isVisible());
    QSignalSpy finished(&Features().checkModJob(), &maintree::CheckModJob::finished);
    QTest::keyClick(&Editor(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(dock.isVisible());
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(ProblemRows(), QStringList({"faulty.odf (2)", "  Line 2: Error - File not found: ghost.odf",
                                          "  Line 3: Error - Unknown command: bogus = 1", "loop.odf (1)",
                                          "  Line 1: Error - Include cycle: loop.odf -> loop.odf",
                                          "tree.tt (1)", "  Line 2: ODF file \"missing.odf\" not found."}));
    EXPECT_EQ(dock.summary()->text(), "Files with problems: 3");
    EXPECT_FALSE(dock.progress()->isVisible());
    maintree::ModProblemsView& tree = *dock.tree();
    EXPECT_EQ(QApplication::focusWidget(), &tree);
    tree.setCurrentIndex(tree.model()->index(1, 0, tree.model()->index(0, 0)));
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(Current(), PathOf("faulty.odf"));
    EXPECT_EQ(CaretLine(), 3);

    // Without the extra checks the include cycle goes unmentioned.
    Features().setExtraChecks(false);
    Features().menu().checkMod->trigger();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(ProblemRows().join('\n').contains("Include cycle"));
    EXPECT_EQ(dock.summary()->text(), "Files with problems: 2");
}

// The Stop button ends a check of a large mod early; what was found so far stays.
TEST_F(ModNavigation, CheckModCanBeStopped) {
    for (int i = 0; i < 500; ++i)
        WriteModFile(QStringLiteral("unit%1.odf").arg(i).toLatin1().constData(), "baseClass = ghost\r\n");
    Start();
    ModProblemsDock& dock = Features().problems();
    QSignalSpy finished(&Features().checkModJob(), &maintree::CheckModJob::finished);
    Features().menu().checkMod->trigger();
    EXPECT_TRUE(dock.progress()->isVisible());
    QTest::mouseClick(dock.stopButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_LT(ProblemRows().size(), 1000);
    EXPECT_TRUE(dock.summary()->text().startsWith("Check Mod stopped. "))
        << dock.summary()->text().toStdString();
    EXPECT_FALSE(dock.stopButton()->isVisible());
}

TEST_F(ModNavigation, FindReferencesListsWhatNamesTheDocument) {
    WriteModFile("unit.odf", "unitName = \"U\"\r\nbaseClass = base\r\n");
    WriteModFile("inc.odf", "#include \"BASE.odf\"\r\n");
    WriteModFile("tree.tt", "base.odf 0\r\n");
    Start();
    Features().menu().findReferences->trigger();
    EXPECT_EQ(StatusMessage(), "Save the document first: only a file of the mod can be named");
    Open("base.odf");
    QSignalSpy finished(&Features().referenceSearch(), &ReferenceSearch::finished);
    QTest::keyClick(&Editor(), Qt::Key_F12, Qt::ShiftModifier);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(ProblemRows(),
              QStringList({"inc.odf (1)", "  Line 1: #include \"BASE.odf\"", "tree.tt (1)",
                           "  Line 1: base.odf 0", "unit.odf (1)", "  Line 2: baseClass = base"}));
    EXPECT_EQ(Features().problems().summary()->text(), "Files that refer to base.odf: 3");
}

} // namespace
} // namespace varko::maintree
