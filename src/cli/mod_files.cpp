#include "varko/cli/mod_files.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace varko::cli {

namespace {

Checker CheckerForName(const std::string& name) {
    return textrules::FileExtension(name) == ".tt" ? Checker::TechTree : Checker::Odf;
}

bool IsModFileName(const std::string& name) {
    std::string extension = textrules::FileExtension(name);
    return extension == ".tt" || textrules::SameText(extension, ".odf");
}

void WalkDirectory(const std::string& argument, const fs::path& root, CollectResult& result) {
    std::error_code ec;
    auto options = fs::directory_options::skip_permission_denied;
    fs::recursive_directory_iterator it(root, options, ec), end;
    if (ec) {
        result.errors.push_back("Cannot read directory " + argument);
        return;
    }
    for (; it != end; it.increment(ec)) {
        if (ec) {
            result.errors.push_back("Cannot read directory " + argument);
            return;
        }
        const std::string name = it->path().filename().string();
        std::error_code statError;
        if (!IsModFileName(name) || !it->is_regular_file(statError))
            continue;
        fs::path relative = it->path().lexically_relative(root);
        result.files.push_back({(fs::path(argument) / relative).generic_string(), it->path().string(),
                                CheckerForName(name)});
    }
}

} // namespace

CollectResult CollectModFiles(const std::vector<std::string>& arguments) {
    CollectResult result;
    for (const std::string& argument : arguments) {
        std::error_code ec;
        fs::path absolute = fs::absolute(argument, ec);
        fs::file_status status = fs::status(absolute, ec);
        if (ec || !fs::exists(status)) {
            result.errors.push_back("Cannot access " + argument);
        } else if (fs::is_directory(status)) {
            WalkDirectory(argument, absolute, result);
        } else {
            result.files.push_back({argument, absolute.string(), CheckerForName(absolute.filename().string())});
        }
    }
    std::stable_sort(result.files.begin(), result.files.end(),
                     [](const ModFile& a, const ModFile& b) { return a.display < b.display; });
    return result;
}

} // namespace varko::cli
