#include "varko/maintree/assist/mod_file_list.h"

#include "varko/compiler/file_catalogue.h"
#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace varko::maintree {

namespace fs = std::filesystem;

namespace {

void AddDirectory(const std::string& directory, std::vector<ModFile>& files,
                  std::unordered_set<std::string>& seen) {
    std::error_code error;
    const fs::path root = fs::absolute(directory, error);
    fs::directory_iterator it(root, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code statError;
        if (name.starts_with('.') || !compiler::MatchesMask(name, "*.odf;*.tt") ||
            !it->is_regular_file(statError))
            continue;
        if (seen.insert(textrules::FoldCase(name)).second)
            files.push_back({name, it->path().lexically_normal().string()});
    }
}

} // namespace

std::vector<ModFile> ListModFiles(const std::vector<std::string>& directories) {
    std::vector<ModFile> files;
    std::unordered_set<std::string> seen;
    for (const std::string& directory : directories)
        AddDirectory(directory, files, seen);
    std::sort(files.begin(), files.end(), [](const ModFile& a, const ModFile& b) {
        const std::string left = textrules::FoldCase(a.name);
        const std::string right = textrules::FoldCase(b.name);
        return left != right ? left < right : a.name < b.name;
    });
    return files;
}

std::vector<std::uint32_t> FilterModFiles(const std::vector<ModFile>& files, std::string_view text) {
    const std::string folded = textrules::FoldCase(text);
    std::vector<std::uint32_t> kept;
    std::string name;
    for (std::size_t i = 0; i < files.size(); ++i) {
        name = textrules::FoldCase(files[i].name);
        if (name.find(folded) != std::string::npos)
            kept.push_back(static_cast<std::uint32_t>(i));
    }
    return kept;
}

} // namespace varko::maintree
