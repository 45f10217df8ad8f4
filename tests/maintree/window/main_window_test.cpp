#include "app_fixture.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/arrow_button.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/navigation/rotated_label.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/tool_icons.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace varko::maintree {
namespace {

class MainWindowTest : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
        m_window->show();
    }

    std::unique_ptr<MainWindow> m_window;
};

TEST_F(MainWindowTest, ComponentsStartInTheirDesignState) {
    const std::pair<const char*, bool> rows[] = {
        {"toolBar", true},
        {"navigationPanel", true},
        {"navigationSplitter", false},
        {"navigationSpacer", true},
        {"editorArea", true},
        {"titleBar", true},
        {"arrow", true},
        {"sideLabel", true},
        {"browserTree", false},
        {"hierarchyTree", false},
        {"statusPanels", true},
        {"messageList", false},
        {"messageSplitter", false},
        {"editor", true},
    };
    for (const auto& [name, visible] : rows) {
        auto* widget = m_window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->isVisible(), visible) << name;
    }
    EXPECT_EQ(m_window->layout().navigationPanel->width(), 19);
    EXPECT_EQ(m_window->layout().navigationPanel->titleBar->text(), "");
    EXPECT_EQ(m_window->layout().navigationPanel->arrow->text(), "4");
    EXPECT_EQ(m_window->layout().navigationPanel->sideLabel->caption(), "VARKO >>>");
    EXPECT_EQ(m_window->size(), QSize(544, 375));
}

TEST_F(MainWindowTest, ToolbarButtonsShowPicturesWithHintsAndNames) {
    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Row rows[] = {
        {"newDocument", "New", "New ODF"},
        {"open", "Open", "Open file"},
        {"save", "Save", "Save file"},
        {"run", "Run", "Run debugger..."},
        {"hierarchyPage", "Script Hierachy", "Script Hierarchy"},
        {"browserPage", "Object Browser", "Object Browser"},
        {"modFilesPage", "Mod Files", "Mod Files"},
        {"propertiesPage", "Properties", "Properties"},
    };
    QStringList order;
    for (QAction* action : m_window->toolBar().bar->actions())
        order << action->objectName();
    EXPECT_EQ(order, QStringList({"leadingSeparator", "newDocument", "open", "save", "fileSeparator", "run",
                                  "runSeparator", "hierarchyPage", "browserPage", "modFilesPage",
                                  "propertiesPage", "trailingSeparator"}));
    for (const Row& row : rows) {
        auto* button = m_window->findChild<QToolButton*>(row.name);
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->toolTip(), row.hint) << row.name;
        EXPECT_EQ(button->accessibleName(), row.caption) << row.name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << row.name;
        EXPECT_FALSE(button->icon().isNull()) << row.name;
    }
    EXPECT_TRUE(m_window->toolBar().hierarchyPage->isChecked());
    m_window->toolBar().browserPage->trigger();
    EXPECT_FALSE(m_window->toolBar().hierarchyPage->isChecked());
    EXPECT_EQ(DrawToolIcons().size(), 7);
}

// A menu's items as they are drawn: caption, and the key where the menu shows one. The menu bar's
// menus show every key; the context menu shows its captions while it is open, and no key.
QStringList DrawnItems(QMenu& menu, bool contextMenu) {
    QStringList items;
    const auto read = [&] {
        for (QAction* action : menu.actions()) {
            QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->shortcut().isEmpty() && (!contextMenu || action->isShortcutVisibleInContextMenu()))
                item += "\t" + action->shortcut().toString();
            items << item;
        }
    };
    if (!contextMenu) {
        read();
        return items;
    }
    QTimer::singleShot(0, &menu, [&] {
        read();
        menu.close();
    });
    menu.exec(QPoint(10, 10));
    return items;
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
    struct Row {
        const char* menu;
        bool contextMenu;
        QStringList items;
    };
    const Row rows[] = {
        {"fileMenu",
         false,
         {"&New\tCtrl+N", "&Open\tCtrl+O", "&Save\tCtrl+S", "Save &As", "Reopen", "-", "B&ye"}},
        {"newMenu", false, {"ODF File", "Tech Tree File"}},
        {"editMenu",
         false,
         {"&Undo\tCtrl+Z", "&Redo\tCtrl+Shift+Z", "-", "Cu&t", "&Copy", "&Paste", "-", "Se&lect All", "-",
          "Pre&ferences"}},
        {"modMenu",
         false,
         {"Run\tF9", "Check Mod\tCtrl+Shift+M", "-", "Go to File\tF12", "Back\tAlt+Left",
          "Find References\tShift+F12", "-", "Quick Fix...\tCtrl+.", "Complete\tCtrl+Space", "-",
          "Tech Tree Graph"}},
        {"helpMenu", false, {"Help", "Visit &Website", "-", "&About"}},
        {"editorContextMenu", true, {"&Undo", "-", "Cu&t", "&Copy", "&Paste", "-", "Select &All"}},
    };
    for (const Row& row : rows) {
        auto* menu = m_window->findChild<QMenu*>(row.menu);
        ASSERT_NE(menu, nullptr) << row.menu;
        EXPECT_EQ(DrawnItems(*menu, row.contextMenu), row.items) << row.menu;
    }
    QStringList titles;
    for (QAction* action : m_window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "Edit", "&Search", "&Mod", "&Help"}));
}

// The Edit menu and the context menu hold the same actions.
TEST_F(MainWindowTest, TheEditMenuSharesItsEditingActionsWithTheContextMenu) {
    const EditActions& edit = m_window->editActions();
    QList<QAction*> inContextMenu;
    for (QAction* action : edit.contextMenu()->actions()) {
        if (!action->isSeparator())
            inContextMenu << action;
    }
    EXPECT_EQ(inContextMenu,
              QList<QAction*>({edit.undo(), edit.cut(), edit.copy(), edit.paste(), edit.selectAll()}));
    const QList<QAction*> inEditMenu = m_window->findChild<QMenu*>(QStringLiteral("editMenu"))->actions();
    for (QAction* action : inContextMenu)
        EXPECT_TRUE(inEditMenu.contains(action)) << action->text().toStdString();
}

// Return on the object browser types the property, as a double-click does.
TEST_F(MainWindowTest, ReturnOnTheObjectBrowserTypesTheProperty) {
    auto* tree = m_window->findChild<QTreeWidget*>(QStringLiteral("browserTree"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(m_window->editor().toPlainText(), QStringLiteral("hull = "));
}

} // namespace
} // namespace varko::maintree
