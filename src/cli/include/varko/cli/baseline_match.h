#pragma once

#include "varko/cli/baseline_file.h"
#include "varko/cli/finding_record.h"

#include <cstddef>
#include <vector>

namespace varko::cli {

struct BaselineMatch {
    FindingRecords fresh;             // the records no entry accounts for, in their order
    std::size_t unmatchedEntries = 0; // entries left over: fixed findings, or lines since changed
};

// Each entry accounts for one record of the same path, code and line text, wherever the line now
// stands; two identical records need two entries.
BaselineMatch MatchBaseline(FindingRecords records, const std::vector<BaselineEntry>& entries);

} // namespace varko::cli
