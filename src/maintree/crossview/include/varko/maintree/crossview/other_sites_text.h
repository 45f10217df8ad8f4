#pragma once

#include "varko/compiler/include_chain.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace varko::maintree {

// For the editor's hover over a property line: the other places that set the same name (case
// ignored), in include order, as "base.odf line 3". The line hovered is the one in exceptFile (a
// file name or a path; only its name counts, case ignored) at exceptLine.
QStringList OtherSites(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine);

// The same as one tip line, "Also set in: base.odf line 3, weapons.odf line 7"; empty when no
// other place sets the name.
QString OtherSitesText(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine);

} // namespace varko::maintree
