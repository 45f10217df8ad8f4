#pragma once

#include "varko/compiler/finding.h"
#include "varko/compiler/odf_source.h"
#include "varko/lsp/workspace.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>
#include <vector>

namespace varko::lsp {

struct DocumentCheck {
    std::vector<compiler::Finding> findings; // in line order, ignored codes left out
    std::string failure;                     // the check could not run (no declarations)
    bool stopped = false;
    // The addon files the document's includes brought in, with the extra checks on.
    std::vector<std::string> includedFiles;
};

// Checks a document's lines as varko-check checks the file at `path` with the folder's settings:
// the checker, then with extra checks on the checks across files, which read included files through
// `source`; a file the settings' ignore paths leave out gets no findings.
DocumentCheck CheckLines(const textrules::LineList& lines, const std::string& path, const ModFolder& folder,
                         const compiler::OdfSource& source, const std::atomic<bool>& stop);

} // namespace varko::lsp
