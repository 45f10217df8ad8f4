#include "varko/maintree/navigation/property_library.h"

#include "varko/textrules/profile_file.h"

#include <filesystem>

namespace varko::maintree {

PropertyLibrary ReadPropertyLibrary(const std::string& path) {
    const textrules::TIniFile library(path);
    textrules::LineList sections;
    library.ListSections(sections);
    PropertyLibrary result;
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(path, ignored);
    result.found = std::filesystem::exists(status) && !std::filesystem::is_directory(status);
    if (!result.found)
        return result;
    textrules::LineList keys;
    for (const std::string& section : sections) {
        ObjectKind kind;
        kind.label = library.ReadText(section, "friendly", "") + " (" + section + ")";
        library.ListKeys(section, keys);
        if (!keys.empty())
            keys.erase(keys.begin());
        kind.properties = keys;
        result.kinds.push_back(std::move(kind));
    }
    return result;
}

} // namespace varko::maintree
