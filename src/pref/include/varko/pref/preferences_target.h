#pragma once

#include "varko/compiler/settings.h"

#include <QString>

#include <string>

namespace varko::textrules {
class TIniFile;
}

namespace varko::pref {

// The settings file and the two values the dialog writes or falls back on beside the user's
// choices.
struct SettingsFile {
    textrules::TIniFile& prefs;
    // With its trailing separator; a [Dirs] key that is missing reads back as this.
    std::string appDir;
    // Stored as [Application] Version when the preferences are accepted.
    std::string productVersion;
};

// What the preferences dialog shows from the running program and changes in it.
class PreferencesTarget {
public:
    virtual ~PreferencesTarget() = default;

    virtual compiler::GameDirs GameDirs() const = 0;
    virtual void SetGameDirs(const compiler::GameDirs& dirs) = 0;

    virtual QString EditorFontName() const = 0;
    virtual int EditorFontSize() const = 0;
    virtual bool EditorWordWrap() const = 0;
    virtual void SetEditorFontName(const QString& name) = 0;
    virtual void SetEditorFontSize(int points) = 0;
    virtual void SetEditorWordWrap(bool wrap) = 0;

    // Points both catalogues at the current game directories, with an error box for each one
    // that cannot be reached.
    virtual void RefreshCatalogues() = 0;
    // The window-placement store neither restores nor saves for the rest of the run.
    virtual void SwitchPlacementOff() = 0;
};

} // namespace varko::pref
