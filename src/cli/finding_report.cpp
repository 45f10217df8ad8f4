#include "varko/cli/finding_report.h"

#include "varko/cli/baseline_match.h"
#include "varko/cli/command_line.h"

#include <algorithm>

namespace varko::cli {

namespace {

void NameFailedFiles(const BatchResult& result, const RunExtras& extras, std::ostream& err) {
    for (const FileReport& report : result.reports) {
        if (!report.readable)
            err << "varko-check: Cannot open file " << report.file.display << '\n';
        else if (report.failure)
            err << "varko-check: " << *report.failure << '\n';
    }
    for (const std::string& path : extras.unreadableIncludes)
        err << "varko-check: Cannot open included file " << path << '\n';
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

bool IsNote(const FindingRecord& record) {
    return compiler::SeverityOf(record.finding.code) == compiler::Severity::Note;
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

int ReportFindings(BatchResult& result, RunExtras extras, const ReportSettings& settings, std::ostream& out,
                   std::ostream& err) {
    const bool trouble = extras.pathTrouble || result.unreadable > 0 || !extras.unreadableIncludes.empty();
    FindingRecords records = TakeRecords(result);
    records.insert(records.end(), std::make_move_iterator(extras.notes.begin()),
                   std::make_move_iterator(extras.notes.end()));
    DropIgnoredCodes(records, settings.codes);
    if (settings.writeBaseline) {
        NameFailedFiles(result, extras, err);
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
    NameFailedFiles(result, extras, err);
    NameStaleEntries(stale, err);
    const auto notes = static_cast<int>(std::count_if(records.begin(), records.end(), IsNote));
    if (notes > 0)
        err << notes << " unused file(s)\n";
    const int faults = static_cast<int>(records.size()) - notes;
    err << compiler::SummaryText(faults) << '\n';
    if (trouble)
        return kExitTrouble;
    return faults == 0 ? kExitClean : kExitFaults;
}

} // namespace varko::cli
