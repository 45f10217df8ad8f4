#include "varko/compiler/file_catalogue.h"
#include "varko/textrules/utf8_path.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace fs = std::filesystem;

namespace varko::compiler {

using textrules::FoldCase;

namespace {

bool GlobMatch(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// "x.*" also matches a name without any extension, as desktop file masks do.
bool PatternMatches(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*" || GlobMatch(name, pattern))
        return true;
    return pattern.size() >= 2 && pattern.ends_with(".*") && name.find('.') == std::string::npos &&
           GlobMatch(name, std::string_view(pattern).substr(0, pattern.size() - 2));
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

// A timestamp this close to the listing may still change within the same clock tick.
constexpr auto kTimestampSlack = std::chrono::milliseconds(100);

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    const std::string foldedName = FoldCase(name);
    std::size_t start = 0;
    while (start <= mask.size()) {
        std::size_t end = mask.find(';', start);
        if (end == std::string_view::npos)
            end = mask.size();
        std::string pattern = FoldCase(mask.substr(start, end - start));
        if (!pattern.empty() && PatternMatches(foldedName, pattern))
            return true;
        start = end + 1;
    }
    return false;
}

FileCatalogue::FileCatalogue() {
    std::error_code ec;
    m_directory = textrules::Utf8FromPath(fs::current_path(ec));
}

FileCatalogue::FileCatalogue(std::string directory, std::string mask)
    : m_directory(std::move(directory)), m_mask(std::move(mask)) {}

bool FileCatalogue::NameOrder(const std::string& a, const std::string& b) {
    const std::string fa = FoldCase(a), fb = FoldCase(b);
    return fa != fb ? fa < fb : a < b;
}

bool FileCatalogue::PointAt(const std::string& value) {
    if (value.empty())
        return true;
    std::string text = value;
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    fs::path path = textrules::PathFromUtf8(text);
    std::optional<std::string> mask;
    if (HasWildcard(textrules::Utf8FromPath(path.filename()))) {
        mask = textrules::Utf8FromPath(path.filename());
        path = path.parent_path();
    }
    std::error_code ec;
    fs::path full = fs::canonical(path.empty() ? fs::path(".") : path, ec);
    if (ec || !fs::is_directory(full, ec))
        return false;
    fs::directory_iterator probe(full, ec);
    if (ec)
        return false;

    std::unique_lock lock(m_mutex);
    if (textrules::Utf8FromPath(full) != m_directory || (mask && *mask != m_mask))
        m_listing = Listing{};
    m_directory = textrules::Utf8FromPath(full);
    if (mask)
        m_mask = *mask;
    return true;
}

void FileCatalogue::SetMask(const std::string& mask) {
    std::unique_lock lock(m_mutex);
    if (mask == m_mask)
        return;
    m_mask = mask;
    m_listing = Listing{};
}

void FileCatalogue::Refresh() {
    std::unique_lock lock(m_mutex);
    ReadLocked();
}

void FileCatalogue::RefreshIfChanged() {
    {
        std::shared_lock lock(m_mutex);
        if (!ListingStaleLocked())
            return;
    }
    std::unique_lock lock(m_mutex);
    if (ListingStaleLocked())
        ReadLocked();
}

bool FileCatalogue::ListingStaleLocked() const {
    if (!m_listing.valid || !m_listing.stamp)
        return true;
    std::error_code ec;
    fs::file_time_type now = fs::last_write_time(textrules::PathFromUtf8(m_directory), ec);
    return ec || now != *m_listing.stamp;
}

void FileCatalogue::ReadLocked() const {
    Listing listing;
    std::error_code ec;
    fs::file_time_type before = fs::last_write_time(textrules::PathFromUtf8(m_directory), ec);
    // A stamp that is too recent cannot vouch for the listing: leave it unset so the next
    // RefreshIfChanged lists again.
    if (!ec && fs::file_time_type::clock::now() - before > kTimestampSlack)
        listing.stamp = before;
    for (fs::directory_iterator it(textrules::PathFromUtf8(m_directory), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string name = textrules::Utf8FromPath(it->path().filename());
        std::error_code statError;
        if (name.starts_with('.') || !it->is_regular_file(statError) || !MatchesMask(name, m_mask))
            continue;
        listing.names.push_back(std::move(name));
    }
    std::sort(listing.names.begin(), listing.names.end(), NameOrder);
    listing.lookup = textrules::NameIndex(listing.names.size());
    for (std::size_t i = 0; i < listing.names.size(); ++i)
        listing.lookup.Insert(listing.names[i], i);
    listing.valid = true;
    m_listing = std::move(listing);
}

void FileCatalogue::EnsureReadLocked() const {
    if (!m_listing.valid)
        ReadLocked();
}

bool FileCatalogue::Contains(std::string_view name) const {
    {
        std::shared_lock lock(m_mutex);
        if (m_listing.valid)
            return m_listing.lookup.Find(name) != textrules::NameIndex::npos;
    }
    std::unique_lock lock(m_mutex);
    EnsureReadLocked();
    return m_listing.lookup.Find(name) != textrules::NameIndex::npos;
}

std::optional<std::string> FileCatalogue::Find(std::string_view name) const {
    std::unique_lock lock(m_mutex);
    EnsureReadLocked();
    const std::size_t found = m_listing.lookup.Find(name);
    if (found == textrules::NameIndex::npos)
        return std::nullopt;
    return m_listing.names[found];
}

std::vector<std::string> FileCatalogue::Names() const {
    std::unique_lock lock(m_mutex);
    EnsureReadLocked();
    return m_listing.names;
}

std::string FileCatalogue::Directory() const {
    std::shared_lock lock(m_mutex);
    return m_directory;
}

std::string FileCatalogue::Mask() const {
    std::shared_lock lock(m_mutex);
    return m_mask;
}

} // namespace varko::compiler
