// The main window's knowledge of the game: its parts are built here and bound to the editor,
// the documents and the Mod menu.
#include "varko/maintree/window/mod_features.h"

#include "varko/maintree/assist/mod_files_view.h"
#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/compiler/settings.h"
#include "varko/language/document_check.h"
#include "varko/language/mod_knowledge.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/editor/editor_text.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/navigation_panel.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/mod_icons.h"
#include "varko/maintree/window/mod_problems_dock.h"
#include "varko/maintree/window/status_panels.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace varko::maintree {

namespace settings = compiler::settings;

namespace {

constexpr int kStatusMs = 5000;

} // namespace

ModFeatures::ModFeatures(MainWindow& window, platform::Desktop& desktop)
    : m_window(window), m_desktop(desktop), m_catalog(std::make_shared<const language::PropertyCatalog>(
                                                language::LoadPropertyCatalog(window.appDir()))) {
    QMenu* help = window.findChild<QMenu*>(QStringLiteral("helpMenu"));
    m_menu = maintree::BuildModMenu(*window.menuBar(), help ? help->menuAction() : nullptr);
    createAssists();
    createLiveChecker();
    createModViews();
    createCrossViews();
    bindMenu();
    bindContextMenu();
}

ModFeatures::~ModFeatures() = default;

std::shared_ptr<const language::PropertyCatalog> ModFeatures::catalog() const {
    std::lock_guard lock(m_catalogLock);
    return m_catalog;
}

QString ModFeatures::currentFile() const {
    return m_window.documents().currentFile();
}

void ModFeatures::createAssists() {
    EditorPane& editor = m_window.editor();
    const language::ModKnowledge knowledge =
        language::KnowledgeOf(m_window.environment(), [this] { return catalog(); });
    const auto documentPath = [this] { return currentFile(); };
    m_completion = std::make_unique<maintree::Completion>(
        &editor,
        maintree::CompletionSources{knowledge.properties, knowledge.typeOf, knowledge.files, documentPath});
    m_hoverTips =
        std::make_unique<maintree::HoverTips>(&editor, language::HoverSourcesOf(knowledge), documentPath,
                                            [this](int line) { return lineTip(line); });
    m_quickFix = std::make_unique<maintree::QuickFix>(&editor, language::FixSourcesOf(knowledge), documentPath);
    m_navigator = std::make_unique<maintree::FileNavigator>(
        &editor, maintree::NavigatorSources{knowledge.typeOf, knowledge.files, documentPath});
    connect(m_quickFix.get(), &maintree::QuickFix::statusMessage, this, &ModFeatures::showStatus);
    connect(m_navigator.get(), &maintree::FileNavigator::statusMessage, this, &ModFeatures::showStatus);
    connect(m_navigator.get(), &maintree::FileNavigator::openRequested, this, &ModFeatures::openFromNavigator);
    m_menu.back->setEnabled(false);
    connect(m_navigator.get(), &maintree::FileNavigator::canGoBackChanged, m_menu.back, &QAction::setEnabled);
}

void ModFeatures::createLiveChecker() {
    EditorPane& editor = m_window.editor();
    // On the worker: the environment is safe to read there, and the flag is atomic.
    auto check = [this](const QString& rawText, const std::string& path, const std::atomic<bool>& stop) {
        compiler::CheckEnvironment& environment = m_window.environment();
        environment.Refresh();
        const textrules::LineList lines = RawTextLines(rawText);
        if (!m_extraChecks.load())
            return language::CheckModDocument(lines, path, environment, nullptr, stop);
        const compiler::OdfSource includes = language::AddonOdfSource(environment);
        return language::CheckModDocument(lines, path, environment, &includes, stop);
    };
    m_liveChecker = std::make_unique<maintree::LiveChecker>(&editor, check, [this] { return currentFile(); });
    // Characters, not colours: a change of formats alone needs no check.
    connect(editor.document(), &QTextDocument::contentsChange, m_liveChecker.get(),
            [this](int, int removed, int added) {
                if (removed > 0 || added > 0)
                    m_liveChecker->textChanged();
            });
    connect(m_liveChecker.get(), &maintree::LiveChecker::findingsReady, this, &ModFeatures::showFindings);
    connect(m_liveChecker.get(), &maintree::LiveChecker::checkFailed, this, &ModFeatures::showStatus);
}

void ModFeatures::createModViews() {
    m_modFiles = new maintree::ModFilesView;
    m_modFiles->setObjectName(QStringLiteral("modFilesView"));
    m_window.layout().navigationPanel->addPage(m_modFiles);
    m_modFilesPage = AddPageButton(m_window.toolBar(), "modFilesPage", "Mod Files", DrawModFilesIcon());
    m_window.navigation().addPage(m_modFilesPage, QStringLiteral("Mod Files"), m_modFiles);
    connect(m_modFilesPage, &QAction::toggled, this, [this](bool chosen) {
        if (chosen)
            listModFiles();
    });
    connect(m_modFiles, &maintree::ModFilesView::openRequested, this,
            [this](const QString& path) { guarded([&] { openDocument(path); }); });
    m_problems = new ModProblemsDock(m_window);
    connect(m_problems->tree(), &maintree::ModProblemsView::openAt, this,
            [this](const QString& path, int line) { guarded([&] { openAt(path, line); }); });
    connect(m_problems, &ModProblemsDock::stopRequested, this, &ModFeatures::stopSearches);
    createSearches();
}

void ModFeatures::bindMenu() {
    const auto bind = [this](QAction* action, void (ModFeatures::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] { guarded([&] { (this->*command)(); }); });
    };
    // The Run button's own command, so both show the same run.
    connect(m_menu.run, &QAction::triggered, m_window.toolBar().run, &QAction::trigger);
    bind(m_menu.checkMod, &ModFeatures::checkMod);
    bind(m_menu.goToFile, &ModFeatures::goToFile);
    bind(m_menu.back, &ModFeatures::goBack);
    bind(m_menu.findReferences, &ModFeatures::findReferences);
    connect(m_menu.quickFix, &QAction::triggered, m_quickFix.get(), &maintree::QuickFix::showMenu);
    connect(m_menu.complete, &QAction::triggered, m_completion.get(), &maintree::Completion::complete);
}

// The quick fixes of the caret's line head the editor's context menu while it is open.
void ModFeatures::bindContextMenu() {
    QMenu* menu = m_window.editActions().contextMenu();
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        m_contextFixes = m_quickFix->actionsForLine(m_window.editor().textCursor().blockNumber() + 1, menu);
        if (m_contextFixes.isEmpty())
            return;
        QAction* first = menu->actions().value(0);
        menu->insertActions(first, m_contextFixes);
        m_contextFixes << menu->insertSeparator(first);
    });
    // The chosen action is triggered after the menu hides, so the actions go only later.
    connect(menu, &QMenu::aboutToHide, this, [this, menu] {
        for (QAction* fix : std::as_const(m_contextFixes)) {
            menu->removeAction(fix);
            fix->deleteLater();
        }
        m_contextFixes.clear();
    });
}

void ModFeatures::readSettings(const textrules::TIniFile& prefs) {
    setCheckWhileTyping(
        prefs.ReadFlag(settings::kChecking, settings::kLiveCheck, settings::kLiveCheckDefault));
    setExtraChecks(
        prefs.ReadFlag(settings::kChecking, settings::kExtraChecks, settings::kExtraChecksDefault));
}

bool ModFeatures::checkWhileTyping() const {
    return m_liveChecker->isEnabled();
}

void ModFeatures::setCheckWhileTyping(bool on) {
    m_liveChecker->setEnabled(on);
}

void ModFeatures::setExtraChecks(bool on) {
    if (m_extraChecks.exchange(on) != on)
        m_liveChecker->textChanged();
}

void ModFeatures::refresh() {
    {
        auto loaded = std::make_shared<const language::PropertyCatalog>(
            language::LoadPropertyCatalog(m_window.appDir()));
        std::lock_guard lock(m_catalogLock);
        m_catalog = std::move(loaded);
    }
    m_completion->reloadProperties();
    if (m_modFilesPage->isChecked())
        listModFiles();
}

void ModFeatures::showFindings(const std::vector<compiler::Finding>& findings) {
    m_window.editor().setFindings(findings);
    m_quickFix->setFindings(findings);
}

void ModFeatures::guarded(const std::function<void()>& command) {
    platform::RunCommand(m_desktop, command);
}

void ModFeatures::showStatus(const QString& text) {
    m_window.statusPanels().showMessage(text, kStatusMs);
}

} // namespace varko::maintree
