#pragma once

#include "varko/compiler/finding.h"
#include "varko/compiler/odf_source.h"
#include "varko/textrules/text_rules.h"

#include <memory>
#include <string_view>
#include <vector>

namespace varko::compiler {

namespace closure {
class ClosureStore;
}

// The include checks of CheckIncludeChain for many documents over one source: each included
// file's expansion is summarised once (its include cycle, its clashing values and, when an
// includer needs them, its property names), circles as strongly connected components, and a
// document takes the summary of each file it includes whole unless that file's expansion meets
// something the document's walk met before, so a document costs about its own lines and findings
// however long its include chains are. The findings are exactly CheckIncludeChain's. Safe to use
// from several threads at once; files are read once, when first named.
class IncludeClosures {
public:
    explicit IncludeClosures(OdfSource source);

    std::vector<Finding> Check(std::string_view documentName, const textrules::LineList& lines) const;

private:
    std::shared_ptr<closure::ClosureStore> m_store;
};

} // namespace varko::compiler
