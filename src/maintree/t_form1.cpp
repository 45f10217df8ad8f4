#include "varko/maintree/t_form1.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/check_run.h"
#include "varko/maintree/documents.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/form_placement.h"
#include "varko/maintree/message_list.h"
#include "varko/maintree/nav_panel_control.h"
#include "varko/maintree/object_browser.h"
#include "varko/maintree/qt_placement_window.h"
#include "varko/maintree/script_hierarchy.h"
#include "varko/maintree/startup_settings.h"
#include "varko/maintree/status_panels.h"
#include "varko/platform/version_info.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

namespace varko::maintree {

namespace {

constexpr int kDesignWidth = 544;
constexpr int kDesignHeight = 375;
constexpr int kNavWidth = 180;

std::string WithTrailingSeparator(const QString& dir) {
    std::string bytes = QFile::encodeName(dir).toStdString();
    if (bytes.empty() || bytes.back() != '/')
        bytes += '/';
    return bytes;
}

} // namespace

TForm1::TForm1(platform::Desktop& desktop, StartupOptions options, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varko Workshop"));
    setContextMenuPolicy(Qt::NoContextMenu);
    m_appDir = WithTrailingSeparator(options.appDir);
    m_environment = std::make_unique<compiler::CheckEnvironment>(m_appDir);
    m_toolBar = BuildToolBar(*this);
    m_menu = BuildMainMenu(*this);
    m_layout = BuildMainLayout(*this);
    m_popup = BuildEditorPopup(*this);
    m_documents = std::make_unique<Documents>(
        *m_layout.Editor, m_desktop, *this, [this] { EditorSelectionChange(); },
        [this] { return QFile::decodeName(m_environment->BaseDirectory().c_str()); });
    CreateCollaborators();
    ConnectCommands();
    ConnectEditor();
    resize(kDesignWidth, kDesignHeight);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    FormCreate(options.arguments);
}

TForm1::~TForm1() {
    Timer1->stop();
    if (m_formPlacement->Active())
        Guarded([this] { m_formPlacement->FormDestroy(); });
}

void TForm1::FormCreate(const QStringList& arguments) {
    // The command-line file is loaded before the settings, so their font and wrap replace the
    // editor's own. Its path is made absolute, as every path the program keeps.
    if (!arguments.isEmpty() && QFileInfo(arguments.first()).isFile())
        Guarded([&] { LoadFile(QFileInfo(arguments.first()).absoluteFilePath()); });
    m_prefsIni = std::make_unique<textrules::TIniFile>(m_appDir + compiler::kPrefsFile);
    ReadSettings();
    m_navWidth = kNavWidth;
    m_objectBrowser->Build(m_appDir, m_desktop);
    if (!m_showPrefsAtStart)
        RefreshCatalogues();
}

void TForm1::ReadSettings() {
    const StartupSettings settings =
        ReadStartupSettings(*m_prefsIni, m_appDir, platform::ProductVersion().toStdString());
    m_showPrefsAtStart = settings.showPrefsAtStart;
    m_dirs = settings.dirs;
    ApplyEditorSettings(*m_layout.Editor, settings);
}

void TForm1::FormShow() {
    setAcceptDrops(true);
    if (m_showPrefsAtStart && m_showPreferences)
        m_showPreferences();
}

bool TForm1::FormCloseQuery() {
    return CheckFileSave();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window coming back from the task bar is not being shown anew. The placement comes back
    // before the window's own show handler runs.
    if (!event->spontaneous()) {
        Guarded([this] { m_formPlacement->FormShow(); });
        Guarded([this] { FormShow(); });
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    Guarded([&] { canClose = FormCloseQuery(); });
    Guarded([&] { m_formPlacement->FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    Guarded([&] { WMDropFiles(files); });
}

void TForm1::Guarded(const std::function<void()>& command) {
    platform::RunCommand(m_desktop, command);
}

const QString& TForm1::CurrentFile() const {
    return m_documents->CurrentFile();
}

} // namespace varko::maintree
