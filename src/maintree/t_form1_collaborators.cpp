// The main window's collaborators for check runs, navigation, placement and the Help menu, and
// the handlers that hand their work to them.
#include "varko/help/web_links.h"
#include "varko/maintree/check_run.h"
#include "varko/maintree/edge_splitter.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/form_placement.h"
#include "varko/maintree/message_list.h"
#include "varko/maintree/nav_panel.h"
#include "varko/maintree/nav_panel_control.h"
#include "varko/maintree/object_browser.h"
#include "varko/maintree/qt_placement_window.h"
#include "varko/maintree/return_key.h"
#include "varko/maintree/script_hierarchy.h"
#include "varko/maintree/startup_settings.h"
#include "varko/maintree/status_panels.h"
#include "varko/maintree/t_form1.h"

#include <QAbstractButton>
#include <QFile>
#include <QListWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace varko::maintree {

namespace {
constexpr int kTimer1Interval = 2000;
} // namespace

void TForm1::CreateCollaborators() {
    m_placementWindow = std::make_unique<QtPlacementWindow>(*this);
    m_formPlacement = std::make_unique<maintree::FormPlacement>(
        *m_placementWindow, m_appDir + "prefs.ini",
        [this](const std::exception& failure) { m_desktop.ReportFailure(failure); });
    ConnectRuns();
    ConnectNavigation();
    ConnectHelpMenu();
}

void TForm1::ConnectRuns() {
    CheckRunWidgets widgets;
    widgets.tb_Run = m_toolBar.tb_Run;
    widgets.setRunImage = [this](int index) { SetImageIndex(m_toolBar, m_toolBar.tb_Run, index); };
    widgets.MsgList = m_layout.MsgList;
    widgets.Splitedit = m_layout.Splitedit;
    widgets.StatusBar = m_layout.StatusBar;
    widgets.setSummary = [this](const QString& text) { m_layout.StatusBar->SetPanelText(1, text); };
    CheckRunSources sources;
    sources.editorText = [this] { return m_layout.Editor->document()->toRawText(); };
    sources.currentFile = [this] { return CurrentFile(); };
    sources.environment = m_environment.get();
    sources.showError = [this](const QString& text) { m_desktop.ShowError(text); };
    m_checkRun = std::make_unique<CheckRun>(std::move(widgets), std::move(sources));
    m_messageList = std::make_unique<MessageList>(m_layout.MsgList, m_layout.Editor);
    Bind(m_toolBar.tb_Run, &TForm1::tb_RunClick);
    connect(m_messageList.get(), &MessageList::DblClick, this,
            [this] { Guarded([this] { MsgListDblClick(); }); });
}

void TForm1::ConnectNavigation() {
    NavPanel& nav = *m_layout.NavPanel;
    m_nav = std::make_unique<NavPanelControl>(
        NavPanelWidgets{&nav, nav.Spd_arr, nav.NavTopPan, nav.TreeHie, nav.TreeObj, m_layout.Splitnav,
                        m_layout.navspcpan, m_toolBar.tb_Hie, m_toolBar.tb_Obj},
        m_navWidth);
    m_objectBrowser = std::make_unique<ObjectBrowser>(*nav.TreeObj, *m_layout.Editor);
    m_hierarchy =
        std::make_unique<ScriptHierarchy>(*nav.TreeHie, *m_layout.Editor, [this] { return CurrentFile(); });
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimer1Interval);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1Timer(); }); });
    Timer1->start();
    connect(nav.Spd_arr, &QAbstractButton::clicked, this, [this] { Guarded([this] { Spd_arrClick(); }); });
    Bind(m_toolBar.tb_Hie, &TForm1::tb_HieClick);
    Bind(m_toolBar.tb_Obj, &TForm1::tb_ObjClick);
    connect(nav.TreeObj, &QTreeWidget::itemDoubleClicked, this,
            [this] { Guarded([this] { TreeObjDblClick(); }); });
    connect(nav.TreeHie, &QTreeView::clicked, this, [this] { Guarded([this] { TreeHieDblClick(); }); });
    connect(new ReturnKey(nav.TreeObj), &ReturnKey::Pressed, this,
            [this] { Guarded([this] { TreeObjDblClick(); }); });
    connect(new ReturnKey(nav.TreeHie), &ReturnKey::Pressed, this,
            [this] { Guarded([this] { TreeHieDblClick(); }); });
}

void TForm1::ConnectHelpMenu() {
    Bind(m_menu.Preferences1, &TForm1::Preferences1Click);
    Bind(m_menu.About1, &TForm1::About1Click);
    Bind(m_menu.m_Help, &TForm1::m_HelpClick);
    Bind(m_menu.VisitWebsite1, &TForm1::VisitWebsite1Click);
}

void TForm1::RefreshCatalogues() {
    maintree::RefreshCatalogues(*m_environment, m_dirs, m_desktop);
}

bool TForm1::HierarchyDirty() const {
    return m_hierarchy->HierarchyDirty();
}

void TForm1::tb_RunClick() {
    m_checkRun->tb_RunClick();
}

void TForm1::MsgListDblClick() {
    m_messageList->SelectMessageLine();
}

void TForm1::Timer1Timer() {
    m_hierarchy->Timer1Timer();
}

void TForm1::TreeHieDblClick() {
    m_hierarchy->TreeHieDblClick();
}

void TForm1::TreeObjDblClick() {
    m_objectBrowser->TreeObjDblClick();
}

void TForm1::Spd_arrClick() {
    m_nav->Spd_arrClick();
}

void TForm1::tb_HieClick() {
    m_nav->tb_HieClick();
}

void TForm1::tb_ObjClick() {
    m_nav->tb_ObjClick();
}

void TForm1::Preferences1Click() {
    if (m_showPreferences)
        m_showPreferences();
}

void TForm1::About1Click() {
    if (m_showAbout)
        m_showAbout();
}

void TForm1::m_HelpClick() {
    help::OpenHelpPage(m_desktop, QFile::decodeName(m_appDir.c_str()));
}

void TForm1::VisitWebsite1Click() {
    help::OpenHomePage(m_desktop);
}

} // namespace varko::maintree
