#include "varko/maintree/crossview/property_table.h"

#include "varko/textrules/case_insensitive.h"

#include <unordered_map>

namespace varko::maintree {

PropertyTable TabulateSites(std::vector<compiler::PropertySite> sites) {
    std::unordered_map<std::string_view, int, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>
        counts;
    counts.reserve(sites.size());
    for (const compiler::PropertySite& site : sites)
        ++counts[site.name];
    PropertyTable table;
    table.places.reserve(sites.size());
    for (const compiler::PropertySite& site : sites)
        table.places.push_back(counts.find(site.name)->second);
    table.sites = std::move(sites);
    return table;
}

PropertyTable BuildPropertyTable(std::string_view documentName, const textrules::LineList& lines,
                                 const compiler::OdfSource& source) {
    return TabulateSites(compiler::PropertySites(documentName, lines, source));
}

} // namespace varko::maintree
