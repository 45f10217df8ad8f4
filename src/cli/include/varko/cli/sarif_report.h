#pragma once

#include "varko/cli/finding_record.h"

#include <ostream>
#include <string>

namespace varko::cli {

struct SarifContext {
    std::string toolVersion;   // the program's version, e.g. "1.1.1.9"
    std::string rootDirectory; // absolute: the directory relative paths are read from
};

// One SARIF 2.1.0 log with a single run: a rule per code, a result per record. Paths relative to
// the root directory become relative URIs on the base id "SRCROOT", whose file URI the log gives.
void WriteSarifReport(const FindingRecords& records, const SarifContext& context, std::ostream& out);

// The base id of the relative URIs in a SARIF log.
inline constexpr const char* kSarifRootBaseId = "SRCROOT";
// The key of each result's fingerprint in "partialFingerprints".
inline constexpr const char* kSarifFingerprintKey = "varkoFinding/v1";

} // namespace varko::cli
