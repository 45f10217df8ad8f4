#pragma once

#include "varko/compiler/include_chain.h"

namespace varko::compiler {

// An include chain that leads back to a file already being expanded.
struct IncludeCycle {
    int documentLine = 0; // the document's include line that starts the chain
    std::string chain;    // "d.odf -> a.odf -> d.odf"
};

inline constexpr std::size_t kNoFile = static_cast<std::size_t>(-1);

struct IncludeExpansion {
    std::vector<PropertySite> sites;    // repeated is not set
    std::vector<std::size_t> siteFiles; // for each site, the index of its file in parents
    std::vector<std::size_t> parents;   // for each expanded file, the file that brought it in; the
                                        // document comes first and has kNoFile
    std::vector<IncludeCycle> cycles;
};

// Walks the document and its includes depth first, without recursion, so chains thousands of files
// deep cost no stack.
IncludeExpansion ExpandIncludes(std::string_view documentName, const textrules::LineList& lines,
                                const OdfSource& source);

} // namespace varko::compiler
