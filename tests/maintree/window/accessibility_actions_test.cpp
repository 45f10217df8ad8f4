#include "app_fixture.h"
#include "varko/maintree/check_run.h"
#include "varko/maintree/nav_panel.h"

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

    QAbstractButton* ButtonOf(TForm1& form, QAction* action) const {
        return qobject_cast<QAbstractButton*>(form.ToolBar().ToolBar1->widgetForAction(action));
    }

    Seen SeenIn(TForm1& form) {
        const NavPanel& nav = *form.Layout().NavPanel;
        const ToolBarItems& bar = form.ToolBar();
        Seen seen{nav.Spd_arr->text(),
                  nav.Spd_arr->accessibleName(),
                  nav.width(),
                  nav.NavTopPan->text(),
                  nav.TreeHie->isVisible(),
                  nav.TreeObj->isVisible(),
                  {bar.tb_Hie->isChecked(), bar.tb_Obj->isChecked()},
                  {ButtonOf(form, bar.tb_Hie)->isChecked(), ButtonOf(form, bar.tb_Obj)->isChecked()},
                  form.windowTitle(),
                  bar.tb_Run->toolTip(),
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
    Seen Outcome(const std::function<void(TForm1&)>& prepare,
                 const std::function<QAbstractButton*(TForm1&)>& pick, Press how) {
        auto form = MakeForm();
        form->show();
        prepare(*form);
        m_desktop.ClearHistory();
        PressWith(pick(*form), how);
        Seen seen = SeenIn(*form);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->CheckRuns().Running(); }, 20000));
        m_desktop.ClearHistory();
        return seen;
    }
};

TEST_F(AccessibleActions, EveryToolbarButtonAndTheArrowDoWhatAClickDoes) {
    const auto arrow = [](TForm1& form) -> QAbstractButton* { return form.Layout().NavPanel->Spd_arr; };
    const auto tool = [this](QAction* ToolBarItems::*item) {
        return [this, item](TForm1& form) { return ButtonOf(form, form.ToolBar().*item); };
    };
    const auto collapsed = [](TForm1&) {};
    const auto expanded = [](TForm1& form) { form.Spd_arrClick(); };
    const auto onBrowserPage = [](TForm1& form) {
        form.ToolBar().tb_Obj->trigger();
        form.Spd_arrClick();
    };
    const struct {
        const char* name;
        std::function<void(TForm1&)> prepare;
        std::function<QAbstractButton*(TForm1&)> pick;
    } rows[] = {
        {"arrow opens the panel", collapsed, arrow},
        {"arrow closes the panel", expanded, arrow},
        {"browser button while the hierarchy shows", expanded, tool(&ToolBarItems::tb_Obj)},
        {"hierarchy button while the browser shows", onBrowserPage, tool(&ToolBarItems::tb_Hie)},
        {"hierarchy button on its own page", expanded, tool(&ToolBarItems::tb_Hie)},
        {"browser button on its own page", onBrowserPage, tool(&ToolBarItems::tb_Obj)},
        {"browser button while collapsed", collapsed, tool(&ToolBarItems::tb_Obj)},
        {"new", collapsed, tool(&ToolBarItems::tb_New)},
        {"open", collapsed, tool(&ToolBarItems::tb_open)},
        {"save", collapsed, tool(&ToolBarItems::tb_Save)},
        {"run", collapsed, tool(&ToolBarItems::tb_Run)},
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
    auto form = MakeForm();
    form->show();
    ArrowButton* arrow = form->Layout().NavPanel->Spd_arr;
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
    auto form = MakeForm();
    form->show();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->ToolBar().ToolBar1)->text(QAccessible::Name),
              "Toolbar");
}

} // namespace
} // namespace varko::maintree
