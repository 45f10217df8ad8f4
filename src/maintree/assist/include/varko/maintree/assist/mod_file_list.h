#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varko::maintree {

struct ModFile {
    std::string name; // the file name
    std::string path; // absolute
    bool operator==(const ModFile&) const = default;
};

// The ODF and tech-tree files of the addon directories ("*.odf" and "*.tt", case ignored): regular,
// not hidden, sorted by name ignoring case. A name found in two directories is the first one's,
// as the checker finds it. A directory that cannot be read adds nothing.
std::vector<ModFile> ListModFiles(const std::vector<std::string>& directories);

// The positions, in order, of the files whose names hold `text` ('A' to 'Z' matching 'a' to 'z');
// every file for an empty text.
std::vector<std::uint32_t> FilterModFiles(const std::vector<ModFile>& files, std::string_view text);

} // namespace varko::maintree
