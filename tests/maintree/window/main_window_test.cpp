#include "app_fixture.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/nav_panel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace varko::maintree {
namespace {

class MainWindow : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_form = MakeForm();
        m_form->show();
    }

    std::unique_ptr<TForm1> m_form;
};

TEST_F(MainWindow, ComponentsStartInTheirDesignState) {
    const std::pair<const char*, bool> rows[] = {
        {"ToolBar1", true},   {"NavPanel", true},  {"Splitnav", false}, {"navspcpan", true},
        {"Panel3", true},     {"NavTopPan", true}, {"Spd_arr", true},   {"antAngleLabel1", true},
        {"TreeObj", false},   {"TreeHie", false},  {"StatusBar", true}, {"MsgList", false},
        {"Splitedit", false}, {"Editor", true},
    };
    for (const auto& [name, visible] : rows) {
        auto* widget = m_form->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->isVisible(), visible) << name;
    }
    EXPECT_EQ(m_form->Layout().NavPanel->width(), 19);
    EXPECT_EQ(m_form->Layout().NavPanel->NavTopPan->text(), "");
    EXPECT_EQ(m_form->Layout().NavPanel->Spd_arr->text(), "4");
    EXPECT_EQ(m_form->Layout().NavPanel->antAngleLabel1->Caption(), "VARKO >>>");
    EXPECT_EQ(m_form->size(), QSize(544, 375));
}

TEST_F(MainWindow, ToolbarButtonsShowPicturesWithHintsAndNames) {
    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Row rows[] = {
        {"tb_New", "New", "New ODF"},
        {"tb_open", "Open", "Open file"},
        {"tb_Save", "Save", "Save file"},
        {"tb_Run", "Run", "Run debugger..."},
        {"tb_Hie", "Script Hierachy", "Script Hierarchy"},
        {"tb_Obj", "Object Browser", "Object Browser"},
    };
    QStringList order;
    for (QAction* action : m_form->ToolBar().ToolBar1->actions())
        order << action->objectName();
    EXPECT_EQ(order, QStringList({"ToolButton1", "tb_New", "tb_open", "tb_Save", "ToolButton4", "tb_Run",
                                  "ToolButton2", "tb_Hie", "tb_Obj", "ToolButton6"}));
    for (const Row& row : rows) {
        auto* button = m_form->findChild<QToolButton*>(row.name);
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->toolTip(), row.hint) << row.name;
        EXPECT_EQ(button->accessibleName(), row.caption) << row.name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << row.name;
        EXPECT_FALSE(button->icon().isNull()) << row.name;
    }
    EXPECT_TRUE(m_form->ToolBar().tb_Hie->isChecked());
    m_form->ToolBar().tb_Obj->trigger();
    EXPECT_FALSE(m_form->ToolBar().tb_Hie->isChecked());
    EXPECT_EQ(m_form->ToolBar().ToolImages.size(), 7);
}

TEST_F(MainWindow, MenusCarryTheirCaptionsAndShortcuts) {
    struct Row {
        const char* menu;
        QStringList items;
    };
    const Row rows[] = {
        {"File1", {"&New\tCtrl+N", "&Open\tCtrl+O", "&Save\tCtrl+S", "Save &As", "-", "B&ye"}},
        {"mi_New", {"ODF File", "Tech Tree File"}},
        {"Edit1",
         {"&Undo\tCtrl+Z", "&Redo\tCtrl+Shift+Z", "-", "Cu&t", "&Copy", "&Paste", "-", "Se&lect All", "-",
          "Pre&ferences"}},
        {"Help1", {"Help", "Visit &Website", "-", "&About"}},
        {"EditorPopup", {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "-", "Select &All"}},
    };
    for (const Row& row : rows) {
        auto* menu = m_form->findChild<QMenu*>(row.menu);
        ASSERT_NE(menu, nullptr) << row.menu;
        QStringList items;
        for (QAction* action : menu->actions()) {
            QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->shortcut().isEmpty())
                item += "\t" + action->shortcut().toString();
            items << item;
        }
        EXPECT_EQ(items, row.items) << row.menu;
    }
    QStringList titles;
    for (QAction* action : m_form->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "Edit", "&Help"}));
}

// Return on the object browser types the property, as a double-click does.
TEST_F(MainWindow, ReturnOnTheObjectBrowserTypesTheProperty) {
    auto* tree = m_form->findChild<QTreeWidget*>(QStringLiteral("TreeObj"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(m_form->Editor()->toPlainText(), QStringLiteral("hull = "));
}

} // namespace
} // namespace varko::maintree
