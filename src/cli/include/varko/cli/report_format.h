#pragma once

#include "varko/cli/finding_record.h"
#include "varko/cli/sarif_report.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace varko::cli {

enum class ReportFormat { Text, Json, Gcc, Github, Sarif };

// The names --format takes, in the order the help lists them.
std::vector<std::string> ReportFormatNames();
std::optional<ReportFormat> ReportFormatNamed(std::string_view name);

// Writes the records in the format; `sarif` is read for the SARIF log only.
void WriteFindings(const FindingRecords& records, ReportFormat format, const SarifContext& sarif,
                   std::ostream& out);

} // namespace varko::cli
