#include "varko/maintree/session/disk_change_policy.h"

namespace varko::maintree {

namespace {

enum Button { kReload = 0, kKeepMine = 1 };

} // namespace

QString DiskChangePolicy::ChangedQuestion(const QString& path) {
    return QStringLiteral(
               "The file %1 changed on disk. Reload it and lose your changes, or keep your version?")
        .arg(path);
}

QString DiskChangePolicy::DeletedNotice(const QString& path) {
    return QStringLiteral("The file %1 was deleted from disk. Its text stays in the editor.").arg(path);
}

void DiskChangePolicy::fileChanged(const QString& path) {
    m_reportedDeleted.clear();
    if (!m_document.modified()) {
        m_document.reload(m_document.caretLine());
        return;
    }
    // Keep Mine is the default: a stray Enter never throws the user's work away.
    const int choice = m_desktop.Choose(QStringLiteral("File Changed"), ChangedQuestion(path),
                                        {QStringLiteral("Reload"), QStringLiteral("Keep Mine")}, kKeepMine);
    if (choice == kReload)
        m_document.reload(m_document.caretLine());
}

void DiskChangePolicy::fileDeleted(const QString& path) {
    if (m_reportedDeleted == path)
        return;
    m_reportedDeleted = path;
    m_document.showStatus(DeletedNotice(path));
}

} // namespace varko::maintree
