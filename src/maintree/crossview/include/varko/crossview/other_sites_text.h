#pragma once

#include "varko/compiler/include_chain.h"

#include <QString>

#include <vector>

namespace varko::crossview {

// For the editor's hover over a property line: the other places that set the same name (case
// ignored), in include order, as "Also set in: base.odf line 3, weapons.odf line 7". The line
// hovered is the one in exceptFile (a file name or a path; only its name counts, case ignored) at
// exceptLine. Empty when no other place sets the name.
QString OtherSitesText(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine);

} // namespace varko::crossview
