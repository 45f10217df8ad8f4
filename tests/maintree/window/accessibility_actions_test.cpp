#include "app_fixture.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/navigation/arrow_button.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/window/main_window.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

namespace varko::maintree {
namespace {

using Kind = platform::ScriptedDesktop::Kind;

// What the user sees and hears of the window after one press.
struct Seen {
    QString arrowCaption;
    QString arrowName;
    int panelWidth = 0;
    QString pageTitle;
    bool hierarchyShown = false;
    bool browserShown = false;
    std::vector<bool> pagesChecked;
    std::vector<bool> pageButtonsChecked;
    QString windowTitle;
    QString runHint;
    std::vector<Kind> boxes;

    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "arrow " << seen.arrowCaption.toStdString() << " \"" << seen.arrowName.toStdString()
         << "\", width " << seen.panelWidth << ", title \"" << seen.pageTitle.toStdString() << "\", trees "
         << seen.hierarchyShown << seen.browserShown << ", pages " << seen.pagesChecked[0]
         << seen.pagesChecked[1] << ", page buttons " << seen.pageButtonsChecked[0]
         << seen.pageButtonsChecked[1] << ", window \"" << seen.windowTitle.toStdString() << "\", run hint \""
         << seen.runHint.toStdString() << "\", " << seen.boxes.size() << " boxes";
}

enum class Press { ByMouse, ByAccessibleAction };

// The same press on a fresh window twice, once with the mouse and once through the action a
// screen reader offers: the two must end alike.
class AccessibleActions : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
    }

    QAbstractButton* ButtonOf(MainWindow& form, QAction* action) const {
        return qobject_cast<QAbstractButton*>(form.toolBar().bar->widgetForAction(action));
    }

    Seen SeenIn(MainWindow& form) {
        const NavigationPanel& nav = *form.layout().navigationPanel;
        const MainToolBar& bar = form.toolBar();
        Seen seen{
            nav.arrow->text(),
            nav.arrow->accessibleName(),
            nav.width(),
            nav.titleBar->text(),
            nav.hierarchyTree->isVisible(),
            nav.browserTree->isVisible(),
            {bar.hierarchyPage->isChecked(), bar.browserPage->isChecked()},
            {ButtonOf(form, bar.hierarchyPage)->isChecked(), ButtonOf(form, bar.browserPage)->isChecked()},
            form.windowTitle(),
            bar.run->toolTip(),
            {}};
        for (const auto& shown : m_desktop.History())
            seen.boxes.push_back(shown.kind);
        return seen;
    }

    static void PressWith(QAbstractButton* button, Press how) {
        if (how == Press::ByMouse) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_FALSE(actions->actionNames().isEmpty());
        actions->doAction(actions->actionNames().first());
    }

    // Prepares a window, presses the button that `pick` names, and reports what is seen.
    Seen Outcome(const std::function<void(MainWindow&)>& prepare,
                 const std::function<QAbstractButton*(MainWindow&)>& pick, Press how) {
        auto form = MakeWindow();
        form->show();
        prepare(*form);
        m_desktop.ClearHistory();
        PressWith(pick(*form), how);
        Seen seen = SeenIn(*form);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->checkRun().running(); }, 20000));
        m_desktop.ClearHistory();
        return seen;
    }
};

TEST_F(AccessibleActions, EveryToolbarButtonAndTheArrowDoWhatAClickDoes) {
    const auto arrow = [](MainWindow& form) -> QAbstractButton* {
        return form.layout().navigationPanel->arrow;
    };
    const auto tool = [this](QAction* MainToolBar::*item) {
        return [this, item](MainWindow& form) { return ButtonOf(form, form.toolBar().*item); };
    };
    const auto collapsed = [](MainWindow&) {};
    const auto expanded = [](MainWindow& form) { form.navigation().toggleNavigationPanel(); };
    const auto onBrowserPage = [](MainWindow& form) {
        form.toolBar().browserPage->trigger();
        form.navigation().toggleNavigationPanel();
    };
    const struct {
        const char* name;
        std::function<void(MainWindow&)> prepare;
        std::function<QAbstractButton*(MainWindow&)> pick;
    } rows[] = {
        {"arrow opens the panel", collapsed, arrow},
        {"arrow closes the panel", expanded, arrow},
        {"browser button while the hierarchy shows", expanded, tool(&MainToolBar::browserPage)},
        {"hierarchy button while the browser shows", onBrowserPage, tool(&MainToolBar::hierarchyPage)},
        {"hierarchy button on its own page", expanded, tool(&MainToolBar::hierarchyPage)},
        {"browser button on its own page", onBrowserPage, tool(&MainToolBar::browserPage)},
        {"browser button while collapsed", collapsed, tool(&MainToolBar::browserPage)},
        {"new", collapsed, tool(&MainToolBar::newDocument)},
        {"open", collapsed, tool(&MainToolBar::open)},
        {"save", collapsed, tool(&MainToolBar::save)},
        {"run", collapsed, tool(&MainToolBar::run)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Seen clicked = Outcome(row.prepare, row.pick, Press::ByMouse);
        const Seen spoken = Outcome(row.prepare, row.pick, Press::ByAccessibleAction);
        EXPECT_EQ(spoken, clicked);
        EXPECT_NE(clicked.pagesChecked[0], clicked.pagesChecked[1]) << "exactly one page is chosen";
        EXPECT_EQ(clicked.pageButtonsChecked, clicked.pagesChecked);
    }
}

// A screen reader names the arrow by what pressing it does; the caption keeps its glyph code.
TEST_F(AccessibleActions, ArrowIsNamedForWhatAPressDoes) {
    auto form = MakeWindow();
    form->show();
    ArrowButton* arrow = form->layout().navigationPanel->arrow;
    const struct {
        const char* caption;
        const char* spoken;
    } rows[] = {
        {"4", "Show navigation panel"}, {"3", "Hide navigation panel"}, {"4", "Show navigation panel"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spoken);
        EXPECT_EQ(arrow->text(), row.caption);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(arrow)->text(QAccessible::Name), row.spoken);
        PressWith(arrow, Press::ByAccessibleAction);
    }
}

TEST_F(AccessibleActions, ToolbarIsAnnouncedAsToolbar) {
    auto form = MakeWindow();
    form->show();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->toolBar().bar)->text(QAccessible::Name), "Toolbar");
}

} // namespace
} // namespace varko::maintree
