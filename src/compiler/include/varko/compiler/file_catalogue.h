#pragma once

#include <filesystem>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "varko/textrules/name_index.h"

namespace varko::compiler {

// True when the name matches one of the ";"-separated wildcard patterns, ignoring case.
bool MatchesMask(std::string_view name, std::string_view mask);

// The names of the ordinary, non-hidden files of one directory that match a mask, sorted
// ignoring case. Read on first use after the directory or mask changed, and on request.
// Safe to search from a worker thread while another thread re-points or refreshes it. It never
// changes the process's current directory.
class FileCatalogue {
public:
    // Starts on the process's current directory with the mask "*.*".
    FileCatalogue();
    // Starts on an absolute directory with a mask; nothing is read yet.
    FileCatalogue(std::string directory, std::string mask);

    // Points the catalogue at a directory value: trailing separators are dropped, a last part
    // with "*" or "?" becomes the mask, and the rest must lead to a directory that can be listed
    // (a relative value is taken from the process's current directory). An empty value keeps the
    // directory. False when the directory cannot be accessed; the catalogue then stays as it was.
    bool PointAt(const std::string& value);
    void SetMask(const std::string& mask);

    // Lists the directory again now.
    void Refresh();
    // Lists the directory again only when it changed since it was last listed.
    void RefreshIfChanged();

    bool Contains(std::string_view name) const;
    // The listed name that equals `name` ignoring case, spelled as on disk.
    std::optional<std::string> Find(std::string_view name) const;
    std::vector<std::string> Names() const;
    std::string Directory() const;
    std::string Mask() const;

    // The order of Names(): ignoring case, then by bytes.
    static bool NameOrder(const std::string& a, const std::string& b);

private:
    struct Listing {
        std::vector<std::string> names;
        textrules::NameIndex lookup; // over names
        std::optional<std::filesystem::file_time_type> stamp;
        bool valid = false;
    };

    void ReadLocked() const;
    void EnsureReadLocked() const;
    bool ListingStaleLocked() const;

    mutable std::shared_mutex m_mutex;
    std::string m_directory;
    std::string m_mask = "*.*";
    mutable Listing m_listing;
};

} // namespace varko::compiler
