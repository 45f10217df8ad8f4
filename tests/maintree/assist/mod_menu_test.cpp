#include "varko/maintree/assist/mod_menu.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

struct ItemRow {
    const char* caption;
    const char* shortcut;
    QAction* ModMenuItems::*member;
};

const ItemRow kItems[] = {
    {"Run", "F9", &ModMenuItems::run},
    {"Check Mod", "Ctrl+Shift+M", &ModMenuItems::checkMod},
    {"Go to File", "F12", &ModMenuItems::goToFile},
    {"Back", "Alt+Left", &ModMenuItems::back},
    {"Find References", "Shift+F12", &ModMenuItems::findReferences},
    {"Quick Fix...", "Ctrl+.", &ModMenuItems::quickFix},
    {"Complete", "Ctrl+Space", &ModMenuItems::complete},
};

class ModMenu : public ::testing::Test {
protected:
    ModMenu() {
        m_file = m_bar.addMenu(QStringLiteral("&File"));
        m_help = m_bar.addMenu(QStringLiteral("&Help"));
        m_items = BuildModMenu(m_bar, m_help->menuAction());
    }

    QMenuBar m_bar;
    QMenu* m_file = nullptr;
    QMenu* m_help = nullptr;
    ModMenuItems m_items;
};

TEST_F(ModMenu, StandsBeforeTheGivenMenu) {
    const QList<QAction*> menus = m_bar.actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[1], m_items.menu->menuAction());
    EXPECT_EQ(m_items.menu->title(), QStringLiteral("&Mod"));
    EXPECT_EQ(m_items.menu->accessibleName(), QStringLiteral("Mod"));
}

TEST_F(ModMenu, EachItemHasItsCaptionAndShortcutInOrder) {
    QStringList captions;
    for (QAction* action : m_items.menu->actions()) {
        if (!action->isSeparator())
            captions << action->text();
    }
    QStringList expected;
    for (const ItemRow& row : kItems) {
        QAction* action = m_items.*row.member;
        ASSERT_NE(action, nullptr) << row.caption;
        EXPECT_EQ(action->text(), QString::fromLatin1(row.caption));
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(row.shortcut));
        expected << QString::fromLatin1(row.caption);
    }
    EXPECT_EQ(captions, expected);
}

TEST_F(ModMenu, ScreenReadersNameAndPressEachItem) {
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(m_items.menu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(QAccessible::Name), QStringLiteral("Mod"));
    int row = 0;
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface* item = menu->child(i);
        if (item->role() == QAccessible::Separator)
            continue;
        ASSERT_LT(row, static_cast<int>(std::size(kItems)));
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromLatin1(kItems[row].caption));
        QSignalSpy triggered(m_items.*kItems[row].member, &QAction::triggered);
        item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(triggered.count(), 1) << kItems[row].caption;
        ++row;
    }
    EXPECT_EQ(row, static_cast<int>(std::size(kItems)));
}

} // namespace
} // namespace varko::maintree
