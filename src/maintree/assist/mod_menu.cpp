#include "varko/maintree/assist/mod_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace varko::maintree {

namespace {

QAction* AddItem(QMenu& menu, const char* name, const char* caption, const QKeySequence& shortcut) {
    QAction* item = menu.addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

} // namespace

ModMenuItems BuildModMenu(QMenuBar& bar, QAction* before) {
    ModMenuItems items;
    items.menu = new QMenu(QStringLiteral("&Mod"), &bar);
    items.menu->setObjectName(QStringLiteral("modMenu"));
    items.menu->menuAction()->setObjectName(QStringLiteral("modMenu"));
    items.menu->setAccessibleName(QStringLiteral("Mod"));
    QMenu& menu = *items.menu;
    items.run = AddItem(menu, "runAction", "Run", QKeySequence(Qt::Key_F9));
    items.checkMod =
        AddItem(menu, "checkModAction", "Check Mod", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    menu.addSeparator();
    items.goToFile = AddItem(menu, "goToFileAction", "Go to File", QKeySequence(Qt::Key_F12));
    items.back = AddItem(menu, "backAction", "Back", QKeySequence(Qt::ALT | Qt::Key_Left));
    items.findReferences =
        AddItem(menu, "findReferencesAction", "Find References", QKeySequence(Qt::SHIFT | Qt::Key_F12));
    menu.addSeparator();
    items.quickFix = AddItem(menu, "quickFixAction", "Quick Fix...", QKeySequence(Qt::CTRL | Qt::Key_Period));
    items.complete = AddItem(menu, "completeAction", "Complete", QKeySequence(Qt::CTRL | Qt::Key_Space));
    bar.insertMenu(before, items.menu);
    return items;
}

} // namespace varko::maintree
