#pragma once

#include "varko/textrules/profile_file.h"

#include <QStringList>

namespace varko::maintree {

// The files last opened or saved, most recent first, kept in prefs.ini's [Recent] section.
// Every call goes to the file, so two running editors share one list.
class RecentFiles {
public:
    explicit RecentFiles(textrules::TIniFile& prefs) : m_prefs(prefs) {}

    // The stored entries whose files still exist.
    QStringList files() const;
    // After a document was opened or saved under `path`: the list as files() shows it, with the
    // path first, is stored. False when prefs.ini could not be written; the list is a
    // convenience, so that never stops the command that called it.
    bool add(const QString& path);

private:
    textrules::TIniFile& m_prefs;
};

} // namespace varko::maintree
