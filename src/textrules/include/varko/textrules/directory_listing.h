#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varko::textrules {

enum class EntryType { Regular, Directory, Link, Other };

struct DirectoryEntry {
    std::string name;                  // UTF-8
    EntryType type = EntryType::Other; // of the entry itself: a link is not followed
};

// The entries of one directory ("." and ".." left out), in no particular order; nullopt when it
// cannot be listed. Works on Windows for paths longer than 260 characters, where
// std::filesystem::directory_iterator does not.
std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& path);

} // namespace varko::textrules
