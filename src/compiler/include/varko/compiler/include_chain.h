#pragma once

#include "varko/compiler/finding.h"
#include "varko/compiler/odf_source.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// One line that sets a property, in the document or in a file its include lines bring in.
struct PropertySite {
    std::string name;
    std::string value;     // as written
    std::string file;      // the document's file name, or the included file as the include line names it
    int line = 0;          // 1-based, in that file
    int documentLine = 0;  // the document's own line, or its include line that brings the file in
    int depth = 0;         // 0 in the document, 1 in a file it includes, and so on
    bool repeated = false; // the name, case ignored, is set in more than one place
    bool operator==(const PropertySite&) const = default;
};

// Every property the document and the files it includes set, in include order: each include line
// expands where it stands, recursively. A file is expanded once per document: including it again
// adds nothing, and an include that leads back into the chain is not followed. Files the source
// cannot give are skipped.
std::vector<PropertySite> PropertySites(std::string_view documentName, const textrules::LineList& lines,
                                        const OdfSource& source);

// Include cycles ("X3": once per include line of the document whose chain leads back into itself)
// and properties that two included files set to different values while the document leaves them
// alone ("X4", once per property, on the include line that brings in the later file), by line.
std::vector<Finding> CheckIncludeChain(std::string_view documentName, const textrules::LineList& lines,
                                       const OdfSource& source);

} // namespace varko::compiler
