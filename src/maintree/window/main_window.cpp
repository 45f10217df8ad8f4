#include "varko/maintree/window/main_window.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/checkrun/message_list.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/navigation/object_browser.h"
#include "varko/maintree/navigation/script_hierarchy.h"
#include "varko/maintree/placement/form_placement.h"
#include "varko/maintree/placement/qt_placement_window.h"
#include "varko/maintree/window/editor_features.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/maintree/window/startup_settings.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/platform/version_info.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

namespace varko::maintree {

namespace {

constexpr int kDesignWidth = 544;
constexpr int kDesignHeight = 375;

std::string WithTrailingSeparator(const QString& dir) {
    std::string bytes = QFile::encodeName(dir).toStdString();
    if (bytes.empty() || bytes.back() != '/')
        bytes += '/';
    return bytes;
}

} // namespace

MainWindow::MainWindow(platform::Desktop& desktop, StartupOptions options, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop), m_appDir(WithTrailingSeparator(options.appDir)),
      m_settingsDir(options.settingsDir.isEmpty() ? m_appDir : WithTrailingSeparator(options.settingsDir)),
      m_recoveryFolder(options.recoveryFolder),
      m_helpDir(options.helpDir.isEmpty() ? QFile::decodeName(m_appDir.c_str()) : options.helpDir),
      m_environment(std::make_unique<compiler::CheckEnvironment>(m_appDir)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Varko Workshop"));
    setContextMenuPolicy(Qt::NoContextMenu);
    m_toolBar = BuildToolBar(*this);
    m_layout = BuildMainLayout(*this);
    m_editActions = new EditActions(*m_layout.editor);
    m_menu = BuildMainMenu(*this, *m_editActions);
    createParts();
    resize(kDesignWidth, kDesignHeight);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    start(options.arguments);
}

MainWindow::~MainWindow() {
    m_hierarchyTimer->stop();
    if (m_placement->active())
        guarded([this] { m_placement->saveOnDestroy(); });
}

void MainWindow::start(const QStringList& arguments) {
    // The command-line file is loaded before the settings, so their font and wrap replace the
    // editor's own. Its path is made absolute, as every path the program keeps.
    if (!arguments.isEmpty() && QFileInfo(arguments.first()).isFile())
        guarded([&] { m_documents->openFile(QFileInfo(arguments.first()).absoluteFilePath()); });
    m_prefsIni = std::make_unique<textrules::TIniFile>(m_settingsDir + compiler::kPrefsFile);
    applyStartupSettings();
    m_objectBrowser->fill(m_appDir, m_desktop);
    if (!m_askForPreferences)
        refreshCatalogues();
    guarded([this] { m_editorFeatures->start(); });
}

void MainWindow::applyStartupSettings() {
    const StartupSettings settings =
        ReadStartupSettings(*m_prefsIni, m_appDir, platform::ProductVersion().toStdString());
    m_askForPreferences = settings.showPrefsAtStart;
    m_dirs = settings.dirs;
    ApplyEditorSettings(*m_layout.editor, settings);
    m_modFeatures->readSettings(*m_prefsIni);
}

void MainWindow::refreshCatalogues() {
    RefreshCatalogues(*m_environment, m_dirs, m_desktop);
    m_modFeatures->refresh();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window coming back from the task bar is not being shown anew. The placement comes back
    // before the window takes drops and asks for the preferences.
    if (event->spontaneous())
        return;
    guarded([this] { m_placement->restore(); });
    setAcceptDrops(true);
    if (m_askForPreferences && m_showPreferences)
        guarded(m_showPreferences);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    guarded([&] { canClose = m_documents->askToSaveChanges(); });
    guarded([&] { m_placement->saveOnClose(canClose); });
    if (canClose) {
        m_editorFeatures->windowClosed();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    guarded([&] { m_documents->openDropped(files); });
}

void MainWindow::bind(QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { guarded(command); });
}

void MainWindow::guarded(const std::function<void()>& command) {
    platform::RunCommand(m_desktop, command);
}

} // namespace varko::maintree
