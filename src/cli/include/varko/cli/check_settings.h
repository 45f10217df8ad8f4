#pragma once

#include "varko/cli/environment_setup.h"
#include "varko/compiler/project_file.h"

#include <optional>
#include <string>
#include <vector>

namespace varko::cli {

// What a front end was told directly (varko-check's options, an editor's settings). A value it
// sets wins over the project file's; an empty one leaves the project file's.
struct SettingsOverrides {
    std::optional<std::string> appDir;
    std::vector<std::string> addonDirs; // absolute
    std::vector<std::string> sodDirs;   // absolute
    std::optional<bool> extraChecks;
    std::vector<std::string> ignoreCodes; // added to the project file's
    std::vector<std::string> ignorePaths; // added to the project file's
};

// How a mod is checked, the same for varko-check and the language server.
struct CheckSettings {
    // Directories left empty are read from prefs.ini by PrepareEnvironment.
    EnvironmentOptions environment;
    bool extraChecks = false;
    std::vector<std::string> ignoreCodes;
    std::vector<std::string> ignorePaths;
};

// The overrides first, then the project file (if any), then the defaults: the program directory
// for the data files, and prefs.ini of that directory for the game directories neither names.
CheckSettings ResolveCheckSettings(const SettingsOverrides& overrides, const compiler::ProjectFile* project,
                                   const std::string& programDir);

} // namespace varko::cli
