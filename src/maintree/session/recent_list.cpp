#include "varko/maintree/session/recent_list.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace varko::maintree {

namespace {

bool StorableInSettings(std::string_view path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string_view::npos;
}

// Settings values lose their outer blanks when read; quotes keep a path that ends in one whole.
std::string StoredValue(const std::string& path) {
    if (path.empty())
        return path;
    const char last = path.back();
    return last == ' ' || last == '\t' ? "\"" + path + "\"" : path;
}

} // namespace

std::string RecentKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

std::string AbsolutePath(std::string_view path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        absolute = fs::path(path);
    std::string normal = absolute.lexically_normal().string();
    // "/x/dir/" and "/x/dir" are one path.
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

std::vector<std::string> AddRecent(std::vector<std::string> list, std::string_view path) {
    if (!StorableInSettings(path))
        return list;
    const std::string added = AbsolutePath(path);
    std::erase_if(list, [&](const std::string& entry) { return AbsolutePath(entry) == added; });
    list.insert(list.begin(), added);
    if (list.size() > kMaxRecentFiles)
        list.resize(kMaxRecentFiles);
    return list;
}

std::vector<std::string> ReadRecent(const textrules::TIniFile& prefs,
                                    const std::function<bool(const std::string&)>& present) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        const std::string value = prefs.ReadText(kRecentSection, RecentKey(i), "");
        if (value.empty())
            continue;
        const std::string path = AbsolutePath(value);
        if (std::find(list.begin(), list.end(), path) == list.end() && present(path))
            list.push_back(path);
    }
    return list;
}

void WriteRecent(textrules::TIniFile& prefs, const std::vector<std::string>& list) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < list.size() && i < kMaxRecentFiles; ++i)
        entries.emplace_back(RecentKey(i), StoredValue(list[i]));
    prefs.WriteSection(kRecentSection, entries);
}

bool IsPresentFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace varko::maintree
