#pragma once

#include "varko/cli/baseline_file.h"
#include "varko/cli/batch_check.h"
#include "varko/cli/code_filter.h"
#include "varko/cli/report_format.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace varko::cli {

// What becomes of a batch's findings: which are left out, and where the rest go.
struct ReportSettings {
    ReportFormat format = ReportFormat::Text;
    CodeFilter codes;
    std::optional<std::vector<BaselineEntry>> baseline; // report only what it does not hold
    std::optional<std::string> writeBaseline;           // write the findings here instead of reporting
    SarifContext sarif;
};

// What a run has to report besides the batch's findings.
struct RunExtras {
    bool pathTrouble = false;                    // some paths could not be collected
    std::vector<std::string> unreadableIncludes; // included files that could not be read, as shown
    FindingRecords notes;                        // reported after the findings; never change the status
};

// The records of a batch, in its order; the findings are moved out of the reports.
FindingRecords TakeRecords(BatchResult& result);

// Reports the batch's findings and the notes (or writes them as a baseline) and gives the exit
// status. Files that could not be checked or included are named on `err`; they, like paths that
// could not be collected, make the status 2.
int ReportFindings(BatchResult& result, RunExtras extras, const ReportSettings& settings, std::ostream& out,
                   std::ostream& err);

} // namespace varko::cli
