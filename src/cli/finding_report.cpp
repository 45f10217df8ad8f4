#include "varko/cli/finding_report.h"

#include "varko/cli/baseline_match.h"
#include "varko/cli/command_line.h"

namespace varko::cli {

namespace {

void NameFailedFiles(const BatchResult& result, std::ostream& err) {
    for (const FileReport& report : result.reports) {
        if (!report.readable)
            err << "varko-check: Cannot open file " << report.file.display << '\n';
        else if (report.failure)
            err << "varko-check: " << *report.failure << '\n';
    }
}

// A baseline of a run that missed files would hide their findings later, so none is written then.
int WriteBaselineFile(const FindingRecords& records, bool trouble, const std::string& file,
                      std::ostream& err) {
    if (trouble) {
        err << "varko-check: Baseline not written: not every path could be checked\n";
        return kExitTrouble;
    }
    if (!WriteBaseline(file, records)) {
        err << "varko-check: Cannot write baseline " << file << '\n';
        return kExitTrouble;
    }
    err << "varko-check: Wrote " << records.size() << " finding(s) to " << file << '\n';
    return kExitClean;
}

void NameStaleEntries(std::size_t stale, std::ostream& err) {
    if (stale == 1)
        err << "1 baseline entry no longer matches\n";
    else if (stale > 1)
        err << stale << " baseline entries no longer match\n";
}

} // namespace

FindingRecords TakeRecords(BatchResult& result) {
    FindingRecords records;
    records.reserve(static_cast<std::size_t>(result.messageCount));
    for (FileReport& report : result.reports) {
        for (std::size_t i = 0; i < report.findings.size(); ++i) {
            std::string lineText =
                i < report.lineTexts.size() ? std::move(report.lineTexts[i]) : std::string();
            records.push_back({report.file.display, std::move(report.findings[i]), std::move(lineText)});
        }
        report.findings.clear();
        report.lineTexts.clear();
    }
    return records;
}

int ReportFindings(BatchResult& result, bool pathTrouble, const ReportSettings& settings, std::ostream& out,
                   std::ostream& err) {
    const bool trouble = pathTrouble || result.unreadable > 0;
    FindingRecords records = TakeRecords(result);
    DropIgnoredCodes(records, settings.codes);
    if (settings.writeBaseline) {
        NameFailedFiles(result, err);
        return WriteBaselineFile(records, trouble, *settings.writeBaseline, err);
    }
    std::size_t stale = 0;
    if (settings.baseline) {
        BaselineMatch match = MatchBaseline(std::move(records), *settings.baseline);
        records = std::move(match.fresh);
        stale = match.unmatchedEntries;
    }
    WriteFindings(records, settings.format, settings.sarif, out);
    out.flush();
    NameFailedFiles(result, err);
    NameStaleEntries(stale, err);
    err << compiler::SummaryText(static_cast<int>(records.size())) << '\n';
    if (trouble)
        return kExitTrouble;
    return records.empty() ? kExitClean : kExitFaults;
}

} // namespace varko::cli
