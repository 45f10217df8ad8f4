#include "varko/maintree/tool_bar.h"

#include "varko/maintree/tool_images.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace varko::maintree {

namespace {

void AddSeparator(QToolBar& bar, const char* name) {
    bar.addSeparator()->setObjectName(QString::fromLatin1(name));
}

QAction* AddButton(ToolBarItems& items, const char* name, const char* caption, const char* hint, int image) {
    QAction* action = items.ToolBar1->addAction(items.ToolImages.at(image), QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromLatin1(hint));
    if (auto* button = qobject_cast<QToolButton*>(items.ToolBar1->widgetForAction(action))) {
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(action->text());
        button->setAutoRaise(true);
    }
    return action;
}

// A click on the chosen page keeps it chosen; a screen reader's toggle unchecks the button, and
// the group would be left with no page. The page comes back as it went.
void KeepOnePageChosen(QActionGroup& pages) {
    for (QAction* page : pages.actions()) {
        QObject::connect(page, &QAction::toggled, &pages, [page, &pages](bool chosen) {
            const QList<QAction*> all = pages.actions();
            if (!chosen && std::none_of(all.begin(), all.end(), [](QAction* a) { return a->isChecked(); }))
                page->setChecked(true);
        });
    }
}

} // namespace

ToolBarItems BuildToolBar(QMainWindow& window) {
    ToolBarItems items;
    items.ToolImages = ToolImages();
    items.ToolBar1 = new QToolBar(QStringLiteral("Toolbar"), &window);
    QToolBar& bar = *items.ToolBar1;
    bar.setObjectName(QStringLiteral("ToolBar1"));
    bar.setAccessibleName(QStringLiteral("Toolbar"));
    bar.setMovable(false);
    bar.setFloatable(false);
    bar.setIconSize(QSize(16, 16));
    bar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    AddSeparator(bar, "ToolButton1");
    items.tb_New = AddButton(items, "tb_New", "New", "New ODF", kImageNew);
    items.tb_open = AddButton(items, "tb_open", "Open", "Open file", kImageOpen);
    items.tb_Save = AddButton(items, "tb_Save", "Save", "Save file", kImageSave);
    AddSeparator(bar, "ToolButton4");
    items.tb_Run = AddButton(items, "tb_Run", "Run", "Run debugger...", kImageRun);
    AddSeparator(bar, "ToolButton2");
    items.tb_Hie = AddButton(items, "tb_Hie", "Script Hierachy", "Script Hierarchy", kImageHierarchy);
    items.tb_Obj = AddButton(items, "tb_Obj", "Object Browser", "Object Browser", kImageBrowser);
    AddSeparator(bar, "ToolButton6");
    auto* pages = new QActionGroup(&bar);
    pages->setExclusive(true);
    for (QAction* page : {items.tb_Hie, items.tb_Obj}) {
        page->setCheckable(true);
        pages->addAction(page);
    }
    items.tb_Hie->setChecked(true);
    KeepOnePageChosen(*pages);
    window.addToolBar(Qt::TopToolBarArea, &bar);
    return items;
}

void SetImageIndex(const ToolBarItems& bar, QAction* button, int index) {
    button->setIcon(bar.ToolImages.at(index));
}

} // namespace varko::maintree
