#include "varko/maintree/main_menu.h"

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

void BuildFileMenu(QMenu& file, MenuItems& items) {
    QMenu* newMenu = AddMenu(file, "mi_New", "&New");
    items.mi_New = file.addMenu(newMenu);
    // The submenu's item shows Ctrl+N; the key itself makes a new ODF document.
    items.mi_New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    items.mi_newODF = AddItem(*newMenu, "mi_newODF", "ODF File");
    items.mi_newtt = AddItem(*newMenu, "mi_newtt", "Tech Tree File");
    items.mi_Open = AddItem(file, "mi_Open", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O));
    items.mi_Save = AddItem(file, "mi_Save", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S));
    items.mi_SaveAs = AddItem(file, "mi_SaveAs", "Save &As");
    AddSeparator(file, "N1");
    items.mi_Bye = AddItem(file, "mi_Bye", "B&ye");
}

void BuildEditMenu(QMenu& edit, MenuItems& items) {
    items.Undo1 = AddItem(edit, "Undo1", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    items.Redo1 = AddItem(edit, "Redo1", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    AddSeparator(edit, "N2");
    items.Cut1 = AddItem(edit, "Cut1", "Cu&t");
    items.Copy1 = AddItem(edit, "Copy1", "&Copy");
    items.Paste1 = AddItem(edit, "Paste1", "&Paste");
    AddSeparator(edit, "N3");
    items.SelectAll1 = AddItem(edit, "SelectAll1", "Se&lect All");
    AddSeparator(edit, "N4");
    items.Preferences1 = AddItem(edit, "Preferences1", "Pre&ferences");
}

void BuildHelpMenu(QMenu& help, MenuItems& items) {
    items.m_Help = AddItem(help, "m_Help", "Help");
    items.VisitWebsite1 = AddItem(help, "VisitWebsite1", "Visit &Website");
    AddSeparator(help, "N5");
    items.About1 = AddItem(help, "About1", "&About");
}

} // namespace

MenuItems BuildMainMenu(QMainWindow& window) {
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MainMenu"));
    bar->setAccessibleName(QStringLiteral("MainMenu"));
    MenuItems items;
    QMenu* file = AddMenu(window, "File1", "&File");
    QMenu* edit = AddMenu(window, "Edit1", "Edit");
    QMenu* help = AddMenu(window, "Help1", "&Help");
    BuildFileMenu(*file, items);
    BuildEditMenu(*edit, items);
    BuildHelpMenu(*help, items);
    for (QMenu* menu : {file, edit, help})
        bar->addMenu(menu);
    window.setMenuBar(bar);
    return items;
}

PopupItems BuildEditorPopup(QWidget& owner) {
    PopupItems items;
    items.EditorPopup = new QMenu(&owner);
    items.EditorPopup->setObjectName(QStringLiteral("EditorPopup"));
    items.EditorPopup->setAccessibleName(QStringLiteral("EditorPopup"));
    QMenu& popup = *items.EditorPopup;
    items.Undo2 = AddItem(popup, "Undo2", "&Undo");
    AddSeparator(popup, "N6");
    items.Cut2 = AddItem(popup, "Cut2", "Cu&t");
    items.Copy2 = AddItem(popup, "Copy2", "&Copy");
    items.Paste2 = AddItem(popup, "Paste2", "&Paste");
    AddSeparator(popup, "N7");
    items.SelectAll2 = AddItem(popup, "SelectAll2", "Select &All");
    return items;
}

} // namespace varko::maintree
