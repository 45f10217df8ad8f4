#pragma once

#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/settings.h"
#include "varko/platform/desktop.h"
#include "varko/textrules/profile_file.h"

#include <string>

namespace varko::maintree {

class EditorPane;

// What the start-up takes from prefs.ini, each key with its default.
struct StartupSettings {
    // The stored version differs from the program's: the preferences must be confirmed first.
    bool showPrefsAtStart = true;
    compiler::GameDirs dirs;
    int fontSize = compiler::settings::kFontSizeDefault;
    std::string fontName = compiler::settings::kFontDefault;
    bool wordWrap = compiler::settings::kWordWrapDefault;
};

StartupSettings ReadStartupSettings(const textrules::TIniFile& prefs, const std::string& appDir,
                                    const std::string& productVersion);

// Font size, font name (an empty one keeps the current; a longer one is cut to 31 characters)
// and word wrap.
void ApplyEditorSettings(EditorPane& editor, const StartupSettings& settings);

// Points the environment at the SOD directory, then at the addon directory; each directory that
// cannot be reached gets its error box, in that order.
void RefreshCatalogues(compiler::CheckEnvironment& environment, const compiler::GameDirs& dirs,
                       platform::Desktop& desktop);

} // namespace varko::maintree
