#pragma once

#include "varko/cli/finding_record.h"

#include <string>
#include <vector>

namespace varko::cli {

// One fingerprint per record, the same for the same finding after lines above it were added or
// removed: a hash of the path, the code, the faulty line's text and how many records before it
// share those three (so two identical lines keep two fingerprints). 16 hexadecimal digits.
std::vector<std::string> FindingFingerprints(const FindingRecords& records);

} // namespace varko::cli
