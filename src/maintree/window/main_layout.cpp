#include "varko/maintree/window/main_layout.h"

#include "varko/maintree/controls/edge_splitter.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/window/status_panels.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QMainWindow>

namespace varko::maintree {

namespace {

constexpr int kMessageListHeight = 49;
constexpr int kStatusHeight = 19;

QWidget* MakePlainPanel(const char* name, const char* spokenName, QWidget& parent) {
    auto* panel = new QWidget(&parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAccessibleName(QString::fromLatin1(spokenName));
    return panel;
}

void BuildEditorArea(MainLayout& layout) {
    QWidget& area = *layout.editorArea;
    layout.editor = new EditorPane(&area);
    layout.messageList = new QListWidget(&area);
    layout.messageList->setObjectName(QStringLiteral("messageList"));
    layout.messageList->setAccessibleName(QStringLiteral("Messages"));
    layout.messageList->setFixedHeight(kMessageListHeight);
    layout.messageList->hide();
    layout.messageSplitter = new EdgeSplitter(EdgeSplitter::Side::Below, layout.messageList, &area);
    layout.messageSplitter->setObjectName(QStringLiteral("messageSplitter"));
    layout.messageSplitter->setAccessibleName(QStringLiteral("Message list size"));
    layout.messageSplitter->hide();
    layout.statusPanels = new StatusPanels(&area);
    layout.statusPanels->setMinimumHeight(kStatusHeight);

    auto* column = new QVBoxLayout(&area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(layout.editor, 1);
    column->addWidget(layout.messageSplitter);
    column->addWidget(layout.messageList);
    column->addWidget(layout.statusPanels);
}

} // namespace

MainLayout BuildMainLayout(QMainWindow& window) {
    MainLayout layout;
    auto* central = new QWidget(&window);
    central->setObjectName(QStringLiteral("clientArea"));
    layout.navigationPanel = new NavigationPanel(central);
    layout.navigationSplitter = new EdgeSplitter(EdgeSplitter::Side::Left, layout.navigationPanel, central);
    layout.navigationSplitter->setObjectName(QStringLiteral("navigationSplitter"));
    layout.navigationSplitter->setAccessibleName(QStringLiteral("Navigation panel size"));
    layout.navigationSplitter->hide();
    layout.navigationSpacer = MakePlainPanel("navigationSpacer", "navspcpan", *central);
    layout.navigationSpacer->setFixedWidth(EdgeSplitter::kThickness);
    layout.editorArea = MakePlainPanel("editorArea", "Panel3", *central);
    BuildEditorArea(layout);

    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(layout.navigationPanel);
    row->addWidget(layout.navigationSplitter);
    row->addWidget(layout.navigationSpacer);
    row->addWidget(layout.editorArea, 1);
    window.setCentralWidget(central);
    return layout;
}

} // namespace varko::maintree
