#pragma once

#include "varko/textrules/text_rules.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// Gives the lines of the ODF file an include line names, or nothing when the file is missing,
// unreadable, not a regular file or a link that loops. The cross-file checks read files only
// through it, so tests and the editor can hand them lines from memory.
using OdfSource = std::function<std::optional<textrules::LineList>(std::string_view name)>;

// Reads the file at the path a lookup gives for a name; an empty path means the file is not there.
// Files are read through ReadFileBytes and cut as the editor cuts a document.
OdfSource OdfSourceFromPaths(std::function<std::string(std::string_view name)> findPath);

// Looks names up, ignoring case, among the entries of the directories as they are listed now; the
// first directory that holds a name wins.
OdfSource DirectoryOdfSource(const std::vector<std::string>& directories);

} // namespace varko::compiler
