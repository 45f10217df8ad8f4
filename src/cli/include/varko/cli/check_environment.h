#pragma once

#include "varko/compiler/check_run.h"
#include "varko/compiler/file_catalogue.h"
#include "varko/compiler/property_line.h"

#include <memory>
#include <optional>
#include <string>

namespace varko::cli {

struct EnvironmentOptions {
    std::string appDir; // ends with a separator
    std::optional<std::string> addonDir;
    std::optional<std::string> sodDir;
};

// Everything a batch of checks shares, read once per run.
struct CheckEnvironment {
    compiler::DeclarationTable declarations;
    compiler::NameList ignoreFiles;
    compiler::FileCatalogue odfCatalogue;
    compiler::FileCatalogue sodCatalogue;
};

struct PreparedEnvironment {
    std::unique_ptr<CheckEnvironment> environment; // null on failure
    std::string error;
};

// The program directory of the running executable, with a trailing separator.
std::string ExecutableDirectory();

// Reads declarations.txt, ignorefiles.txt and the game directories ([Dirs] of prefs.ini unless
// given), and points the catalogues at them as the editor does at start.
PreparedEnvironment PrepareEnvironment(const EnvironmentOptions& options);

} // namespace varko::cli
