#pragma once

#include "varko/compiler/include_chain.h"

#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// For a hover over a property line: the other places that set the same name (case ignored), in
// include order, as "base.odf line 3". The line hovered is the one in exceptFile (a file name or a
// path; only its name counts, case ignored) at the 1-based exceptLine.
std::vector<std::string> OtherSites(const std::vector<compiler::PropertySite>& sites, std::string_view name,
                                    std::string_view exceptFile, int exceptLine);

// The same as one tip line, "Also set in: base.odf line 3, weapons.odf line 7"; empty when no
// other place sets the name.
std::string OtherSitesText(const std::vector<compiler::PropertySite>& sites, std::string_view name,
                           std::string_view exceptFile, int exceptLine);

} // namespace varko::language
