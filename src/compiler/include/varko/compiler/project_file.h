#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varko::compiler {

// The file that describes a mod once for varko-check and the language server.
inline constexpr const char* kProjectFile = "varko.ini";

// What a project file sets; a value it leaves out is empty (or nullopt).
struct ProjectFile {
    std::string path; // absolute
    // Absolute, in the order written; each named directory exists.
    std::vector<std::string> addonDirs;
    std::vector<std::string> sodDirs;
    std::optional<std::string> appDir;
    std::optional<bool> extraChecks;
    std::vector<std::string> ignoreCodes; // each a known code
    std::vector<std::string> ignorePaths; // globs, as written
};

struct ProjectRead {
    std::optional<ProjectFile> project; // nullopt when the file is broken
    // "<path>:<line>: <reason>", or "<path>: <reason>" when the file cannot be read at all.
    std::string error;
};

// Reads a project file: [Dirs] Addon, Sod, AppDir (several directories separated by ";", relative
// ones taken from the file's own folder) and [Checking] ExtraChecks, Ignore (codes separated by ","),
// IgnorePath (globs separated by ";"). An unknown section or key, a line that is neither, a
// directory that does not exist or an unknown code makes the file broken: the first problem is
// named with its line.
ProjectRead ReadProjectFile(const std::string& path);

// The nearest project file in the folder `start` names (or, for a file, the folder that holds it)
// or in a folder above it.
std::optional<std::string> FindProjectFile(const std::string& start);

} // namespace varko::compiler
