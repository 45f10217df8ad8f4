#include "varko/maintree/search/search_menu.h"

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

SearchMenuItems BuildSearchMenu(QMenuBar& bar, QAction* before) {
    SearchMenuItems items;
    items.menu = new QMenu(QStringLiteral("&Search"), &bar);
    QMenu& menu = *items.menu;
    menu.setObjectName(QStringLiteral("Search1"));
    menu.menuAction()->setObjectName(QStringLiteral("Search1"));
    menu.setAccessibleName(QStringLiteral("Search"));
    items.find = AddItem(menu, "Find1", "Find...", QKeySequence(Qt::CTRL | Qt::Key_F));
    items.replace = AddItem(menu, "Replace1", "Replace...", QKeySequence(Qt::CTRL | Qt::Key_H));
    items.findNext = AddItem(menu, "FindNext1", "Find Next", QKeySequence(Qt::Key_F3));
    items.findPrevious =
        AddItem(menu, "FindPrevious1", "Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3));
    items.goToLine = AddItem(menu, "GoToLine1", "Go to Line...", QKeySequence(Qt::CTRL | Qt::Key_G));
    menu.addSeparator()->setObjectName(QStringLiteral("SearchFaultsSeparator"));
    items.nextFault = AddItem(menu, "NextFault1", "Next Fault", QKeySequence(Qt::Key_F8));
    items.previousFault =
        AddItem(menu, "PreviousFault1", "Previous Fault", QKeySequence(Qt::SHIFT | Qt::Key_F8));
    bar.insertMenu(before, &menu);
    return items;
}

} // namespace varko::maintree
