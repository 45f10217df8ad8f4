#include "varko/textrules/directory_listing.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace varko::textrules {

namespace {

EntryType TypeOf(fs::file_type type) {
    switch (type) {
    case fs::file_type::regular:
        return EntryType::Regular;
    case fs::file_type::directory:
        return EntryType::Directory;
    case fs::file_type::symlink:
        return EntryType::Link;
    default:
        return EntryType::Other;
    }
}

} // namespace

std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& path) {
    std::error_code ec;
    fs::directory_iterator it(path, ec), end;
    std::vector<DirectoryEntry> entries;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        entries.push_back({it->path().filename().string(), TypeOf(it->symlink_status(typeError).type())});
    }
    if (ec)
        return std::nullopt;
    return entries;
}

} // namespace varko::textrules
