#pragma once

#include "varko/cli/finding_record.h"

#include <set>
#include <string>
#include <vector>

namespace varko::cli {

struct CodeFilter {
    std::set<std::string, std::less<>> ignored;
    std::string unknown; // the first value that names no code; empty when all are known
};

// The codes of --ignore values, each a comma-separated list ("M1,M13"); codes are exact.
CodeFilter ParseIgnoredCodes(const std::vector<std::string>& values);

// Drops the records whose code is ignored, keeping the others' order.
void DropIgnoredCodes(FindingRecords& records, const CodeFilter& filter);

} // namespace varko::cli
