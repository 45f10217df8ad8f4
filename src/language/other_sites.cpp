#include "varko/language/other_sites.h"

#include "varko/textrules/text_rules.h"

namespace varko::language {

namespace {

// Include lines name files without a directory; a document may be named by its path.
std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<std::string> OtherSites(const std::vector<compiler::PropertySite>& sites, std::string_view name,
                                    std::string_view exceptFile, int exceptLine) {
    std::vector<std::string> places;
    for (const compiler::PropertySite& site : sites) {
        if (!textrules::SameText(site.name, name))
            continue;
        if (site.line == exceptLine && textrules::SameText(FileNameOf(site.file), FileNameOf(exceptFile)))
            continue;
        places.push_back(site.file + " line " + std::to_string(site.line));
    }
    return places;
}

std::string OtherSitesText(const std::vector<compiler::PropertySite>& sites, std::string_view name,
                           std::string_view exceptFile, int exceptLine) {
    std::string text;
    for (const std::string& place : OtherSites(sites, name, exceptFile, exceptLine))
        text += (text.empty() ? "Also set in: " : ", ") + place;
    return text;
}

} // namespace varko::language
