#pragma once

#include <QString>

namespace varko::app {

// Where the editor's files live.
struct AppDirs {
    QString data;           // declarations.txt, proplib.txt, ignorefiles.txt
    QString settings;       // prefs.ini, with the recent files
    QString recoveryFolder; // empty: ".recovery" beside prefs.ini
    QString help;           // of help.htm, with a trailing '/'; empty: the data folder
};

// The one place that decides it. From the build tree or an unpacked archive everything stays
// beside the executable. An installed editor (see textrules::InstalledDataDirectory) reads its data
// from ../share/varko and its help from ../share/doc/varko, and keeps prefs.ini in the user's
// configuration folder and recovery copies in the user's state folder, both created here.
AppDirs ResolveAppDirs(const QString& executableDir);

} // namespace varko::app
