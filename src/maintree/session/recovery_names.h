#pragma once

#include <string>
#include <string_view>

namespace varko::maintree {

// The files of one editor's id in the recovery folder.
inline constexpr std::string_view kDataSuffix = ".recovery";
inline constexpr std::string_view kLockSuffix = ".lock";

// "<folder>/<id><suffix>".
std::string RecoveryPath(const std::string& folder, const std::string& id, std::string_view suffix);

// A writer that died mid-write leaves ".<id>.recovery.XXXXXX" behind; this removes them.
void RemoveTemporaries(const std::string& folder, const std::string& id);

} // namespace varko::maintree
