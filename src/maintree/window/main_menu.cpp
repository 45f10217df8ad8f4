#include "varko/maintree/window/main_menu.h"

#include "varko/maintree/editor/edit_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace varko::maintree {

namespace {

QMenu* AddMenu(QWidget& owner, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), &owner);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
    return menu;
}

QAction* AddItem(QMenu& menu, const char* name, const char* caption, const QKeySequence& shortcut = {}) {
    QAction* item = menu.addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

void AddSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

void BuildFileMenu(QMenu& file, MainMenu& items) {
    QMenu* newMenu = AddMenu(file, "newMenu", "&New");
    items.newMenu = file.addMenu(newMenu);
    items.newMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    items.newOdf = AddItem(*newMenu, "newOdf", "ODF File");
    items.newTechTree = AddItem(*newMenu, "newTechTree", "Tech Tree File");
    items.open = AddItem(file, "open", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    items.save = AddItem(file, "save", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    items.saveAs = AddItem(file, "saveAs", "Save &As");
    AddSeparator(file, "byeSeparator");
    items.bye = AddItem(file, "bye", "B&ye");
}

void BuildEditMenu(QMenu& menu, const EditActions& edit, MainMenu& items) {
    menu.addActions({edit.undo(), edit.redo()});
    AddSeparator(menu, "clipboardSeparator");
    menu.addActions({edit.cut(), edit.copy(), edit.paste()});
    AddSeparator(menu, "selectAllSeparator");
    menu.addAction(edit.selectAll());
    AddSeparator(menu, "preferencesSeparator");
    items.preferences = AddItem(menu, "preferences", "Pre&ferences");
}

void BuildHelpMenu(QMenu& help, MainMenu& items) {
    items.help = AddItem(help, "help", "Help");
    items.visitWebsite = AddItem(help, "visitWebsite", "Visit &Website");
    AddSeparator(help, "aboutSeparator");
    items.about = AddItem(help, "about", "&About");
}

} // namespace

MainMenu BuildMainMenu(QMainWindow& window, const EditActions& edit) {
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setAccessibleName(QStringLiteral("MainMenu"));
    MainMenu items;
    QMenu* file = AddMenu(window, "fileMenu", "&File");
    QMenu* editMenu = AddMenu(window, "editMenu", "Edit");
    QMenu* help = AddMenu(window, "helpMenu", "&Help");
    BuildFileMenu(*file, items);
    BuildEditMenu(*editMenu, edit, items);
    BuildHelpMenu(*help, items);
    for (QMenu* menu : {file, editMenu, help})
        bar->addMenu(menu);
    window.setMenuBar(bar);
    return items;
}

} // namespace varko::maintree
