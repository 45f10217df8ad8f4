#pragma once

#include "varko/compiler/include_chain.h"
#include "varko/compiler/odf_source.h"

#include <string_view>
#include <vector>

namespace varko::maintree {

// The properties a document and the files it includes set, in include order, with how many places
// set each name (case ignored), so a view can say so without counting on the GUI thread.
struct PropertyTable {
    std::vector<compiler::PropertySite> sites;
    std::vector<int> places; // per site
};

PropertyTable TabulateSites(std::vector<compiler::PropertySite> sites);

// The whole build a worker runs: the sites of the document's lines and its includes, counted.
PropertyTable BuildPropertyTable(std::string_view documentName, const textrules::LineList& lines,
                                 const compiler::OdfSource& source);

} // namespace varko::maintree
