#pragma once

#include "varko/textrules/profile_file.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::maintree {

// The files offered for reopening live in prefs.ini as [Recent] File1=... File8=, most recent first.
inline constexpr std::size_t kMaxRecentFiles = 8;
inline constexpr std::string_view kRecentSection = "Recent";

// "File1" for index 0.
std::string RecentKey(std::size_t index);

// The absolute form of a path, with "." and ".." resolved by name (links are not followed), so
// that two spellings of one file count as one entry.
std::string AbsolutePath(std::string_view path);

// The list after opening or saving `path`: the path first, any other entry for the same absolute
// path gone, at most kMaxRecentFiles entries. A path no settings line can hold (empty, or with a
// line break) leaves the list as it is.
std::vector<std::string> AddRecent(std::vector<std::string> list, std::string_view path);

// The stored list in order, without empty keys, repeats, or entries for which `present` is false.
std::vector<std::string> ReadRecent(const textrules::TIniFile& prefs,
                                    const std::function<bool(const std::string&)>& present);

// Stores the list as File1..FileN in one locked write; no other section or key of the file changes.
void WriteRecent(textrules::TIniFile& prefs, const std::vector<std::string>& list);

// True when `path` names a regular file (following links): the test for entries that are gone.
bool IsPresentFile(const std::string& path);

} // namespace varko::maintree
