#include "varko/maintree/main_layout.h"

#include "varko/maintree/controls/edge_splitter.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/nav_panel.h"
#include "varko/maintree/status_panels.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QMainWindow>

namespace varko::maintree {

namespace {

constexpr int kMsgListHeight = 49;
constexpr int kStatusHeight = 19;

QWidget* MakePlainPanel(const char* name, QWidget& parent) {
    auto* panel = new QWidget(&parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAccessibleName(QString::fromLatin1(name));
    return panel;
}

void BuildEditorArea(MainLayout& layout) {
    QWidget& panel = *layout.Panel3;
    layout.Editor = new EditorPane(&panel);
    layout.MsgList = new QListWidget(&panel);
    layout.MsgList->setObjectName(QStringLiteral("MsgList"));
    layout.MsgList->setAccessibleName(QStringLiteral("Messages"));
    layout.MsgList->setFixedHeight(kMsgListHeight);
    layout.MsgList->hide();
    layout.Splitedit = new EdgeSplitter(EdgeSplitter::Side::Below, layout.MsgList, &panel);
    layout.Splitedit->setObjectName(QStringLiteral("Splitedit"));
    layout.Splitedit->setAccessibleName(QStringLiteral("Message list size"));
    layout.Splitedit->hide();
    layout.StatusBar = new StatusPanels(&panel);
    layout.StatusBar->setMinimumHeight(kStatusHeight);

    auto* column = new QVBoxLayout(&panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(layout.Editor, 1);
    column->addWidget(layout.Splitedit);
    column->addWidget(layout.MsgList);
    column->addWidget(layout.StatusBar);
}

} // namespace

MainLayout BuildMainLayout(QMainWindow& window) {
    MainLayout layout;
    auto* central = new QWidget(&window);
    central->setObjectName(QStringLiteral("ClientArea"));
    layout.NavPanel = new NavPanel(central);
    layout.Splitnav = new EdgeSplitter(EdgeSplitter::Side::Left, layout.NavPanel, central);
    layout.Splitnav->setObjectName(QStringLiteral("Splitnav"));
    layout.Splitnav->setAccessibleName(QStringLiteral("Navigation panel size"));
    layout.Splitnav->hide();
    layout.navspcpan = MakePlainPanel("navspcpan", *central);
    layout.navspcpan->setFixedWidth(EdgeSplitter::kThickness);
    layout.Panel3 = MakePlainPanel("Panel3", *central);
    BuildEditorArea(layout);

    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(layout.NavPanel);
    row->addWidget(layout.Splitnav);
    row->addWidget(layout.navspcpan);
    row->addWidget(layout.Panel3, 1);
    window.setCentralWidget(central);
    return layout;
}

} // namespace varko::maintree
