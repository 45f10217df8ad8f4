#pragma once

#include "varko/compiler/check_environment.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// The game directories as the language features see them; the owner answers from its check
// environment. Finders return an absolute path and never leave their directories: a name holding
// "/" or ".." finds nothing.
struct FileSources {
    std::function<std::vector<std::string>()> odfNames; // file names of the addon directories
    std::function<std::vector<std::string>()> sodNames; // file names of the SOD directories
    std::function<std::optional<std::string>(std::string_view name)> findOdfPath;
    std::function<std::optional<std::string>(std::string_view name)> findSodPath;
    // True for a name the game has built in (ignorefiles.txt): the checker takes it as present.
    std::function<bool(std::string_view name)> builtIn;
};

// True for a name that stays inside its directory: no separator and no "..".
bool IsPlainFileName(std::string_view name);

// The check environment's directories as the language features ask for them. The environment must
// outlive what is returned; its lookups are safe from workers.
FileSources FileSourcesOf(const compiler::CheckEnvironment& environment);

} // namespace varko::language
