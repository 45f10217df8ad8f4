// The main window's parts, and the commands bound straight to the part that does the work.
#include "varko/compiler/data_files.h"
#include "varko/help/web_links.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/checkrun/message_list.h"
#include "varko/maintree/controls/edge_splitter.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/navigation/object_browser.h"
#include "varko/maintree/navigation/script_hierarchy.h"
#include "varko/maintree/placement/form_placement.h"
#include "varko/maintree/placement/qt_placement_window.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/maintree/window/status_panels.h"

#include <QAction>
#include <QFile>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace varko::maintree {

namespace {
constexpr int kHierarchyInterval = 2000;
} // namespace

void MainWindow::createParts() {
    EditorPane& editor = *m_layout.editor;
    StatusPanels& status = *m_layout.statusPanels;
    m_documents = std::make_unique<Documents>(
        editor, m_desktop, *this, [&editor, &status] { status.showCaretOf(editor); },
        [this] { return QFile::decodeName(m_environment->BaseDirectory().c_str()); });
    connect(&editor, &EditorPane::cursorPositionChanged, &status,
            [&editor, &status] { status.showCaretOf(editor); });
    connect(&editor, &EditorPane::selectionChanged, &status,
            [&editor, &status] { status.showCaretOf(editor); });
    // The caret moves before the edit that moved it is counted, so the modified state follows the text.
    connect(&editor, &EditorPane::textChanged, &status,
            [&editor, &status] { status.showModifiedOf(editor); });
    m_placementWindow = std::make_unique<QtPlacementWindow>(*this);
    m_placement = std::make_unique<FormPlacement>(
        *m_placementWindow, m_settingsDir + compiler::kPrefsFile,
        [this](const std::exception& failure) { m_desktop.ReportFailure(failure); });
    createNavigation();
    createCheckRuns();
    bindFileCommands();
    bindHelpMenu();
    m_editorFeatures = std::make_unique<EditorFeatures>(
        EditorFeatures::Parts{*this, m_layout, m_menu, *m_documents, m_desktop,
                              QFile::decodeName(m_settingsDir.c_str()), m_recoveryFolder});
    m_modFeatures = std::make_unique<ModFeatures>(*this, m_desktop);
}

void MainWindow::createNavigation() {
    NavigationPanel& panel = *m_layout.navigationPanel;
    m_navigation = std::make_unique<NavigationController>(
        NavigationWidgets{&panel, m_layout.navigationSplitter, m_layout.navigationSpacer,
                          m_toolBar.hierarchyPage, m_toolBar.browserPage});
    m_objectBrowser = std::make_unique<ObjectBrowser>(*panel.browserTree, *m_layout.editor);
    m_hierarchy = std::make_unique<ScriptHierarchy>(*panel.hierarchyTree, *m_layout.editor,
                                                    [this] { return m_documents->currentFile(); });
    m_hierarchyTimer = new QTimer(this);
    m_hierarchyTimer->setObjectName(QStringLiteral("hierarchyTimer"));
    m_hierarchyTimer->setInterval(kHierarchyInterval);
    connect(m_hierarchyTimer, &QTimer::timeout, m_hierarchy.get(),
            [this] { guarded([this] { m_hierarchy->buildIfChanged(); }); });
    m_hierarchyTimer->start();
}

void MainWindow::createCheckRuns() {
    StatusPanels& status = *m_layout.statusPanels;
    CheckRunWidgets widgets;
    widgets.showRunButton = [this](RunButtonState state) { ShowRunButtonState(*m_toolBar.run, state); };
    widgets.messageList = m_layout.messageList;
    widgets.messageSplitter = m_layout.messageSplitter;
    widgets.statusBar = &status;
    widgets.showSummary = [&status](const QString& text) {
        status.setPanelText(StatusPanel::CheckResult, text);
    };
    // A run's findings become the editor's fault marks and what Quick Fix offers.
    widgets.showFaults = [this](std::vector<compiler::Finding> findings) {
        m_modFeatures->showFindings(findings);
    };
    CheckRunSources sources;
    sources.editorText = [this] { return m_layout.editor->document()->toRawText(); };
    sources.currentFile = [this] { return m_documents->currentFile(); };
    sources.environment = m_environment.get();
    sources.showError = [this](const QString& text) { m_desktop.ShowError(text); };
    m_checkRun = std::make_unique<CheckRun>(std::move(widgets), std::move(sources));
    m_messageList = std::make_unique<MessageList>(m_layout.messageList, m_layout.editor);
    bind(m_toolBar.run, [this] { m_checkRun->startOrStop(); });
}

void MainWindow::bindFileCommands() {
    for (QAction* odf : {m_toolBar.newDocument, m_menu.newMenu, m_menu.newOdf})
        bind(odf, [this] { m_documents->newDocument(Documents::Kind::Odf); });
    bind(m_menu.newTechTree, [this] { m_documents->newDocument(Documents::Kind::TechTree); });
    for (QAction* open : {m_toolBar.open, m_menu.open})
        bind(open, [this] { m_documents->open(); });
    for (QAction* save : {m_toolBar.save, m_menu.save})
        bind(save, [this] { m_documents->save(); });
    bind(m_menu.saveAs, [this] { m_documents->saveAs(); });
    connect(m_menu.bye, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::bindHelpMenu() {
    bind(m_menu.preferences, [this] {
        if (m_showPreferences)
            m_showPreferences();
    });
    bind(m_menu.about, [this] {
        if (m_showAbout)
            m_showAbout();
    });
    bind(m_menu.help, [this] { help::OpenHelpPage(m_desktop, m_helpDir); });
    bind(m_menu.visitWebsite, [this] { help::OpenHomePage(m_desktop); });
}

} // namespace varko::maintree
