#pragma once

#include "varko/compiler/finding.h"

#include <string>
#include <vector>

namespace varko::language {

// What one check of a document gives: its findings, or the text of what kept it from running
// (e.g. the declarations file cannot be read), in which case there are no findings.
struct CheckOutcome {
    std::vector<compiler::Finding> findings;
    std::string failure;
};

} // namespace varko::language
