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

    virtual compiler::GameDirs gameDirs() const = 0;
    virtual void setGameDirs(const compiler::GameDirs& dirs) = 0;

    virtual QString editorFontName() const = 0;
    virtual int editorFontSize() const = 0;
    virtual bool editorWordWrap() const = 0;
    virtual void setEditorFontName(const QString& name) = 0;
    virtual void setEditorFontSize(int points) = 0;
    virtual void setEditorWordWrap(bool wrap) = 0;

    // Whether documents are checked while the user types, and whether the checks across files
    // run in those checks and in the check of the whole mod.
    virtual bool checkWhileTyping() const = 0;
    virtual bool extraChecks() const = 0;
    virtual void setCheckWhileTyping(bool on) = 0;
    virtual void setExtraChecks(bool on) = 0;

    // Points both catalogues at the current game directories, with an error box for each one
    // that cannot be reached.
    virtual void refreshCatalogues() = 0;
    // The window-placement store neither restores nor saves for the rest of the run.
    virtual void switchPlacementOff() = 0;
};

} // namespace varko::pref
