#pragma once

#include <optional>
#include <string>

namespace varko::textrules {

// Where a program finds its data files and keeps the user's settings; both end with '/'.
struct ProgramDirs {
    std::string data;     // declarations.txt, ignorefiles.txt, proplib.txt
    std::string settings; // prefs.ini
    bool installed = false;
};

// The data folder of an installed program: its executable sits in a bin/ whose ../share/varko/
// holds declarations.txt. Nullopt for the build tree or an unpacked archive.
std::optional<std::string> InstalledDataDirectory(const std::string& executableDir);

// The user's configuration folder for our programs: $XDG_CONFIG_HOME/varko/ (by default
// ~/.config/varko/), or %APPDATA%/varko/ on Windows. Not created here.
std::string UserSettingsDirectory();

// From the build tree or an unpacked archive both are the executable's own folder, as they always
// were; an installed program reads its data from ../share/varko and its settings from the user's
// configuration folder.
ProgramDirs FindProgramDirs(const std::string& executableDir);

} // namespace varko::textrules
