#pragma once

#include "varko/compiler/check_pipeline.h"

#include <memory>
#include <string>
#include <vector>

namespace varko::cli {

struct EnvironmentOptions {
    std::string appDir; // of the data files; ends with a separator
    // Searched in this order; empty: [Dirs] of prefs.ini (or the program directory).
    std::vector<std::string> addonDirs;
    std::vector<std::string> sodDirs;
    // Of prefs.ini, ending with a separator; empty: appDir.
    std::string settingsDir;
};

struct PreparedEnvironment {
    std::unique_ptr<compiler::CheckEnvironment> environment; // null on failure
    std::string error;
};

// The program directory of the running executable, with a trailing separator.
std::string ExecutableDirectory();

// Reads declarations.txt and ignorefiles.txt and points the catalogues at the game directories,
// as the editor does at start. The first failure ends it: the declarations, then the SOD
// directories, then the addon directories.
PreparedEnvironment PrepareEnvironment(const EnvironmentOptions& options);

// The same for a program that goes on after a failure (the language server): the environment is
// always made, and every failure is given, in that order.
std::unique_ptr<compiler::CheckEnvironment> PrepareEnvironment(const EnvironmentOptions& options,
                                                               std::vector<std::string>& failures);

} // namespace varko::cli
