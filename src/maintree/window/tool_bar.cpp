#include "varko/maintree/window/tool_bar.h"

#include "varko/maintree/window/tool_icons.h"

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

void ShowAsButton(QToolBar& bar, QAction* action, const char* name, const char* hint) {
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromLatin1(hint));
    if (auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(action))) {
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(action->text());
        button->setAutoRaise(true);
    }
}

QAction* AddButton(QToolBar& bar, const char* name, const char* caption, const char* hint,
                   ToolPicture picture) {
    QAction* action = bar.addAction(DrawToolIcon(picture), QString::fromLatin1(caption));
    ShowAsButton(bar, action, name, hint);
    return action;
}

// A click on the chosen page keeps it chosen; a screen reader's toggle unchecks the button, and
// the group would be left with no page. The page comes back as it went.
void KeepChosen(QAction* page, QActionGroup& pages) {
    QObject::connect(page, &QAction::toggled, &pages, [page, &pages](bool chosen) {
        const QList<QAction*> all = pages.actions();
        if (!chosen && std::none_of(all.begin(), all.end(), [](QAction* a) { return a->isChecked(); }))
            page->setChecked(true);
    });
}

void JoinPages(QAction* page, QActionGroup& pages) {
    page->setCheckable(true);
    pages.addAction(page);
    KeepChosen(page, pages);
}

void GroupPages(QToolBar& bar, MainToolBar& items) {
    auto* pages = new QActionGroup(&bar);
    pages->setExclusive(true);
    for (QAction* page : {items.hierarchyPage, items.browserPage})
        JoinPages(page, *pages);
    items.hierarchyPage->setChecked(true);
}

} // namespace

MainToolBar BuildToolBar(QMainWindow& window) {
    MainToolBar items;
    items.bar = new QToolBar(QStringLiteral("Toolbar"), &window);
    QToolBar& bar = *items.bar;
    bar.setObjectName(QStringLiteral("toolBar"));
    bar.setAccessibleName(QStringLiteral("Toolbar"));
    bar.setMovable(false);
    bar.setFloatable(false);
    bar.setIconSize(QSize(16, 16));
    bar.setToolButtonStyle(Qt::ToolButtonIconOnly);
    AddSeparator(bar, "leadingSeparator");
    items.newDocument = AddButton(bar, "newDocument", "New", "New ODF", ToolPicture::New);
    items.open = AddButton(bar, "open", "Open", "Open file", ToolPicture::Open);
    items.save = AddButton(bar, "save", "Save", "Save file", ToolPicture::Save);
    AddSeparator(bar, "fileSeparator");
    items.run = AddButton(bar, "run", "Run", "Run debugger...", ToolPicture::Run);
    AddSeparator(bar, "runSeparator");
    items.hierarchyPage =
        AddButton(bar, "hierarchyPage", "Script Hierachy", "Script Hierarchy", ToolPicture::Hierarchy);
    items.browserPage =
        AddButton(bar, "browserPage", "Object Browser", "Object Browser", ToolPicture::Browser);
    AddSeparator(bar, "trailingSeparator");
    GroupPages(bar, items);
    window.addToolBar(Qt::TopToolBarArea, &bar);
    return items;
}

QAction* AddPageButton(const MainToolBar& items, const char* name, const char* caption,
                       const QIcon& picture) {
    QToolBar& bar = *items.bar;
    const QList<QAction*> actions = bar.actions();
    const auto trailing = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->objectName() == QLatin1String("trailingSeparator");
    });
    auto* page = new QAction(picture, QString::fromLatin1(caption), &bar);
    bar.insertAction(trailing == actions.end() ? nullptr : *trailing, page);
    ShowAsButton(bar, page, name, caption);
    JoinPages(page, *items.hierarchyPage->actionGroup());
    return page;
}

void ShowRunButtonState(QAction& run, RunButtonState state) {
    const bool idle = state == RunButtonState::Idle;
    run.setIcon(DrawToolIcon(idle ? ToolPicture::Run : ToolPicture::Stop));
    run.setToolTip(idle ? QStringLiteral("Run debugger...") : QStringLiteral("Stop debugger..."));
}

} // namespace varko::maintree
