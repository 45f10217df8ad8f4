#include "varko/maintree/session/recent_files.h"

#include "varko/maintree/session/recent_list.h"

#include <QFile>

namespace varko::maintree {

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

QStringList RecentFiles::files() const {
    QStringList shown;
    for (const std::string& path : ReadRecent(m_prefs, IsPresentFile))
        shown << QFile::decodeName(QByteArray::fromStdString(path));
    return shown;
}

bool RecentFiles::add(const QString& path) {
    std::vector<std::string> stored = ReadRecent(m_prefs, IsPresentFile);
    std::vector<std::string> updated = AddRecent(stored, LocalPath(path));
    if (updated == stored)
        return true;
    try {
        WriteRecent(m_prefs, updated);
    } catch (const textrules::ProfileWriteError&) {
        return false;
    }
    return true;
}

} // namespace varko::maintree
