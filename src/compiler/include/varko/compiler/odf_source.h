#pragma once

#include "varko/textrules/text_rules.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// The lines of one file, shared between the documents that include it.
using SharedLines = std::shared_ptr<const textrules::LineList>;

// Gives the lines of the ODF file an include line names, or null when the file is missing,
// unreadable, not a regular file or a link that loops. The cross-file checks read files only
// through it, so tests and the editor can hand them lines from memory.
using OdfSource = std::function<SharedLines(std::string_view name)>;

// Reads the file at the path a lookup gives for a name; an empty path means the file is not there.
// Files are read through ReadFileBytes and cut as the editor cuts a document.
OdfSource OdfSourceFromPaths(std::function<std::string(std::string_view name)> findPath);

// Keeps what another source gave for each name (nothing included), so each file is read once
// however many documents include it. Safe to call from several threads at once.
OdfSource CachingOdfSource(OdfSource inner);

// Looks names up, ignoring case, among the entries of the directories as they are listed now; the
// first directory that holds a name wins.
OdfSource DirectoryOdfSource(const std::vector<std::string>& directories);

} // namespace varko::compiler
