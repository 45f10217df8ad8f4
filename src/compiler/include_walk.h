#pragma once

#include "varko/compiler/include_chain.h"

#include <limits>

namespace varko::compiler {

inline constexpr std::size_t kNoFile = std::numeric_limits<std::size_t>::max();

// An include chain that leads back to a file already being expanded.
struct IncludeCycle {
    int documentLine = 0; // the document's include line that starts the chain
    std::string chain;    // "d.odf -> a.odf -> d.odf"
};

// A file the walk expanded; the document comes first.
struct ExpandedFile {
    std::string name;             // the document's file name, or as the include line writes it
    std::size_t parent = kNoFile; // the file whose include line brought it in
    int depth = 0;
    SharedLines lines; // keeps the sites' views alive; null for the document, which the caller holds
};

// A property line, as views into the lines of its file.
struct SiteRef {
    std::string_view name;
    std::string_view value;
    std::size_t file = 0; // index into IncludeExpansion::files
    int line = 0;
    int documentLine = 0;
};

struct IncludeExpansion {
    std::vector<ExpandedFile> files;
    std::vector<SiteRef> sites; // in include order
    std::vector<IncludeCycle> cycles;
};

// Which property lines of the document itself the expansion lists.
enum class DocumentSites { Listed, Left };

// Walks the document and its includes depth first, without recursion, so chains thousands of files
// deep cost no stack. The sites' views into the document stay valid while its lines do.
IncludeExpansion ExpandIncludes(std::string_view documentName, const textrules::LineList& lines,
                                const OdfSource& source, DocumentSites documentSites = DocumentSites::Listed);

// Drops the clashes (X4, one per name) of the names the document sets itself: its own line
// overrides every include.
void DropNamesTheDocumentSets(const textrules::LineList& document, std::vector<Finding>& findings);

} // namespace varko::compiler
