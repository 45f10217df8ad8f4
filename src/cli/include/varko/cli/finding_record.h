#pragma once

#include "varko/compiler/finding.h"

#include <string>
#include <vector>

namespace varko::cli {

// One finding as the reports see it: the file as the user named it, the finding, and the text of
// the line it stands on (what a baseline or a fingerprint recognises when the line moves).
struct FindingRecord {
    std::string path;
    compiler::Finding finding;
    std::string lineText;
};

using FindingRecords = std::vector<FindingRecord>;

} // namespace varko::cli
