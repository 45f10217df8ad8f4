#include "varko/maintree/window/session_wiring.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/document/document_names.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"
#include "varko/maintree/session/caret_line.h"
#include "varko/maintree/session/reopen_menu.h"

#include <QDir>
#include <QFile>
#include <QMenu>

namespace varko::maintree {

namespace {

// How long the deleted file's notice stays in the status bar.
constexpr int kNoticeMs = 15000;

std::string PrefsPath(const QString& appDir) {
    return QFile::encodeName(QDir(appDir).filePath(QString::fromLatin1(compiler::kPrefsFile))).toStdString();
}

// The name a recovered document goes by: its path, or an untitled document's name.
QString RecoveredName(const maintree::RecoveredDocument& document) {
    if (!document.untitled && !document.documentName.isEmpty())
        return document.documentName;
    return IsUntitled(document.documentName) ? document.documentName : kUntitledOdf;
}

} // namespace

SessionWiring::SessionWiring(const Parts& parts, QObject* parent)
    : QObject(parent), m_editor(parts.editor), m_documents(parts.documents), m_status(parts.status),
      m_desktop(parts.desktop), m_prefs(PrefsPath(parts.appDir)), m_recent(m_prefs),
      m_policy(*this, parts.desktop), m_recovery(maintree::RecoveryStore::FolderFor(parts.appDir)) {
    connect(&m_watcher, &maintree::DiskWatcher::changedOnDisk, this,
            [this](const QString& path) { run([&] { m_policy.fileChanged(path); }); });
    connect(&m_watcher, &maintree::DiskWatcher::deletedOnDisk, this,
            [this](const QString& path) { run([&] { m_policy.fileDeleted(path); }); });
    connect(m_editor.document(), &QTextDocument::contentsChange, this, &SessionWiring::onEdited);
    // Said after the keystroke that found it out, not in the middle of it.
    connect(
        &m_recovery, &maintree::RecoveryStore::recoveryOff, this,
        [this](const QString& text) { m_desktop.ShowError(text); }, Qt::QueuedConnection);
}

SessionWiring::~SessionWiring() = default;

void SessionWiring::addReopenMenu(QMenu& fileMenu, QAction* after) {
    m_reopen = new maintree::ReopenMenu(m_recent, &fileMenu);
    QMenu* menu = m_reopen->menu();
    menu->menuAction()->setObjectName(QStringLiteral("reopenMenu"));
    const QList<QAction*> items = fileMenu.actions();
    const qsizetype next = items.indexOf(after) + 1;
    fileMenu.insertMenu(next > 0 && next < items.size() ? items[next] : nullptr, menu);
    connect(m_reopen, &maintree::ReopenMenu::fileChosen, this,
            [this](const QString& path) { run([&] { m_documents.openFile(path); }); });
}

void SessionWiring::documentLoaded(const QString& path) {
    m_recovery.documentClosed();
    m_watcher.watch(path);
    m_recent.add(path);
}

void SessionWiring::documentCreated() {
    m_recovery.documentClosed();
    m_watcher.unwatch();
}

void SessionWiring::documentSaved(const QString& path) {
    m_recovery.documentSaved();
    m_watcher.noteSaved(path);
    m_recent.add(path);
}

void SessionWiring::documentClosed() {
    m_recovery.documentClosed();
}

// Loads and other quiet changes leave the document unmodified and need no copy.
void SessionWiring::onEdited() {
    if (!m_editor.isModified())
        return;
    m_recovery.documentChanged([this] {
        const QString& name = m_documents.currentFile();
        return maintree::RecoverySnapshot{name, IsUntitled(name), m_editor.document()->toRawText()};
    });
}

void SessionWiring::offerRecovery() {
    m_recovery.offerOrphans(m_desktop,
                            [this](const maintree::RecoveredDocument& document) { return restore(document); });
}

bool SessionWiring::restore(const maintree::RecoveredDocument& document) {
    if (m_editor.isModified())
        return false;
    const QString name = RecoveredName(document);
    m_documents.restoreUnsaved(name, document.text());
    if (IsUntitled(name))
        m_watcher.unwatch();
    else
        m_watcher.watch(name);
    return true;
}

void SessionWiring::run(const std::function<void()>& command) {
    platform::RunCommand(m_desktop, command);
}

bool SessionWiring::modified() const {
    return m_editor.isModified();
}

int SessionWiring::caretLine() const {
    return maintree::CaretLine(m_editor);
}

void SessionWiring::reload(int line) {
    const QString path = m_documents.currentFile();
    m_editor.loadFromFile(path);
    m_editor.setFindings({});
    maintree::PutCaretOnLine(m_editor, line);
    m_watcher.watch(path);
    m_recovery.documentClosed();
    m_status.showCaretOf(m_editor);
}

void SessionWiring::showStatus(const QString& text) {
    m_status.showMessage(text, kNoticeMs);
}

} // namespace varko::maintree
