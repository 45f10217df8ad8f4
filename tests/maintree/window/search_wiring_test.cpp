#include "app_fixture.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/main_layout.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/maintree/search/find_bar.h"
#include "varko/maintree/search/go_to_line_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace varko::maintree {
namespace {

const QString kText = QStringLiteral("alpha beta\ngamma beta\ndelta\nbeta end");

// The Search menu, the find bar and Go to Line as the window offers them, driven through its keys.
class SearchWiring : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        Editor().setPlainText(kText);
        Editor().setFocus();
    }

    EditorPane& Editor() const { return m_window->editor(); }
    const maintree::SearchMenuItems& Items() const { return m_window->editorFeatures().searchMenu(); }
    maintree::FindBar& Bar() const { return m_window->editorFeatures().findBar(); }
    const maintree::FindBarControls& Controls() const { return Bar().Controls(); }
    void Press(const QKeySequence& keys) const { QTest::keySequence(m_window.get(), keys); }
    // Selects `length` characters from `start`.
    void Select(int start, int length) const {
        Editor().setSelStart(start);
        Editor().setSelLength(length);
    }
    int Caret() const { return Editor().textCursor().position(); }
    int Line() const { return Editor().textCursor().blockNumber(); }
    // The faults of a check on lines 2 and 4 (1-based).
    void MarkLines2And4() const {
        compiler::Finding second{2, 1, "M1", {"gamma beta"}};
        compiler::Finding fourth{4, 1, "M1", {"beta end"}};
        Editor().setFindings({second, fourth});
    }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(SearchWiring, SearchMenuStandsRightAfterEditAndBeforeHelp) {
    QStringList titles;
    for (QAction* entry : m_window->menuBar()->actions())
        titles << entry->text().remove(QLatin1Char('&'));
    const qsizetype edit = titles.indexOf(QStringLiteral("Edit"));
    ASSERT_GE(edit, 0) << titles.join(',').toStdString();
    EXPECT_EQ(titles.value(edit + 1), "Search") << titles.join(',').toStdString();
    EXPECT_EQ(titles.first(), "File");
    EXPECT_EQ(titles.last(), "Help");
    EXPECT_EQ(Items().menu->accessibleName(), "Search");
}

TEST_F(SearchWiring, SearchItemsHaveTheirCaptionsShortcutsAndOrder) {
    struct Row {
        QAction* item;
        const char* caption;
        QKeySequence keys;
    };
    const Row rows[] = {
        {Items().find, "Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {Items().replace, "Replace...", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {Items().findNext, "Find Next", QKeySequence(Qt::Key_F3)},
        {Items().findPrevious, "Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {Items().goToLine, "Go to Line...", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {nullptr, "", QKeySequence()},
        {Items().nextFault, "Next Fault", QKeySequence(Qt::Key_F8)},
        {Items().previousFault, "Previous Fault", QKeySequence(Qt::SHIFT | Qt::Key_F8)},
    };
    const QList<QAction*> shown = Items().menu->actions();
    ASSERT_EQ(shown.size(), static_cast<qsizetype>(std::size(rows)));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.caption);
        if (!row.item) {
            EXPECT_TRUE(shown[i]->isSeparator());
            continue;
        }
        EXPECT_EQ(shown[i], row.item);
        EXPECT_EQ(row.item->text(), row.caption);
        EXPECT_EQ(row.item->shortcut(), row.keys);
    }
}

TEST_F(SearchWiring, EachSearchKeyDoesItsWorkInTheWindow) {
    struct Row {
        const char* name;
        std::function<void()> prepare;
        QKeySequence keys;
        std::function<void()> check;
    };
    const int secondBeta = kText.indexOf(QStringLiteral("beta"), 7);
    const Row rows[] = {
        {"Ctrl+F takes the selection into Find", [&] { Select(6, 4); }, QKeySequence(Qt::CTRL | Qt::Key_F),
         [&] {
             EXPECT_TRUE(Bar().isVisible());
             EXPECT_FALSE(Controls().replaceEdit->isVisible());
             EXPECT_EQ(Controls().findEdit->text(), "beta");
             EXPECT_TRUE(Controls().findEdit->hasFocus());
         }},
        {"Ctrl+H opens the replace row", [] {}, QKeySequence(Qt::CTRL | Qt::Key_H),
         [&] {
             EXPECT_TRUE(Bar().isVisible());
             EXPECT_TRUE(Controls().replaceEdit->isVisible());
         }},
        {"F3 finds the next match",
         [&] {
             Controls().findEdit->setText("beta");
             Select(6, 4);
         },
         QKeySequence(Qt::Key_F3), [&] { EXPECT_EQ(Editor().selStart(), secondBeta); }},
        {"Shift+F3 finds the previous match, wrapping",
         [&] {
             Controls().findEdit->setText("beta");
             Select(6, 4);
         },
         QKeySequence(Qt::SHIFT | Qt::Key_F3),
         [&] { EXPECT_EQ(Editor().selStart(), kText.lastIndexOf(QStringLiteral("beta"))); }},
        {"F8 goes to the next faulty line",
         [&] {
             MarkLines2And4();
             Select(0, 0);
         },
         QKeySequence(Qt::Key_F8), [&] { EXPECT_EQ(Line(), 1); }},
        {"Shift+F8 goes to the previous faulty line, wrapping",
         [&] {
             MarkLines2And4();
             Select(0, 0);
         },
         QKeySequence(Qt::SHIFT | Qt::Key_F8), [&] { EXPECT_EQ(Line(), 3); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bar().Close();
        Editor().setFocus();
        row.prepare();
        Press(row.keys);
        row.check();
    }
}

TEST_F(SearchWiring, GoToLinePutsTheCaretOnTheLineAndThePositionFollows) {
    Select(3, 0);
    Press(QKeySequence(Qt::CTRL | Qt::Key_G));
    auto* dialog = m_window->findChild<maintree::GoToLineDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Go to Line");
    EXPECT_EQ(dialog->LineField()->accessibleName(), "Line number");
    dialog->LineField()->setText("0");
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible()) << "a line number of 0 is refused";
    EXPECT_EQ(Caret(), 3);
    dialog->LineField()->setText("3");
    dialog->accept();
    EXPECT_EQ(Caret(), Editor().startOfLine(2));
    EXPECT_EQ(m_window->statusPanels().panelText(StatusPanel::Position), PositionText(3, 1));
}

TEST_F(SearchWiring, FindBarSitsBelowTheEditorAboveTheMessagesAndEscapeClosesIt) {
    const auto* column = qobject_cast<QBoxLayout*>(m_window->layout().editorArea->layout());
    ASSERT_NE(column, nullptr);
    const int bar = column->indexOf(&Bar());
    EXPECT_EQ(bar, column->indexOf(&Editor()) + 1);
    EXPECT_LT(bar, column->indexOf(m_window->layout().messageList));
    EXPECT_FALSE(Bar().isVisible()) << "closed until asked for";

    Items().find->trigger();
    ASSERT_TRUE(Bar().isVisible());
    EXPECT_GE(Bar().y(), Editor().geometry().bottom());
    QTest::keyClick(Controls().findEdit, Qt::Key_Escape);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_TRUE(Editor().hasFocus());
}

TEST_F(SearchWiring, FindBarControlsCarryTheirSpokenNames) {
    Items().replace->trigger();
    const std::pair<QWidget*, const char*> rows[] = {
        {Controls().findEdit, "Find"},
        {Controls().replaceEdit, "Replace with"},
        {Controls().matchCase, "Match case"},
        {Controls().wholeWords, "Whole words"},
        {Controls().regularExpression, "Regular expression"},
        {Controls().findNext, "Find Next"},
        {Controls().findPrevious, "Find Previous"},
        {Controls().replace, "Replace"},
        {Controls().replaceAll, "Replace All"},
        {Controls().close, "Close"},
    };
    for (const auto& [control, name] : rows) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(control->isVisible());
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), name);
    }
    // The Close button's accessibility action closes the bar as a click does.
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(Controls().close)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Bar().isVisible(); }, 2000));
}

TEST_F(SearchWiring, ReplaceAllThroughTheBarIsOneUndoStep) {
    Items().replace->trigger();
    Controls().findEdit->setText("beta");
    Controls().replaceEdit->setText("BETA");
    QTest::mouseClick(Controls().replaceAll, Qt::LeftButton);
    EXPECT_EQ(Editor().toPlainText(), QString(kText).replace("beta", "BETA"));
    Editor().undo();
    EXPECT_EQ(Editor().toPlainText(), kText);
}

} // namespace
} // namespace varko::maintree
