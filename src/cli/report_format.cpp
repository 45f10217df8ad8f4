#include "varko/cli/report_format.h"

#include "varko/cli/line_formats.h"
#include "varko/cli/utf8_text.h"

#include <nlohmann/json.hpp>

#include <array>
#include <utility>

namespace varko::cli {

namespace {

constexpr std::array<std::pair<std::string_view, ReportFormat>, 5> kFormats{{
    {"text", ReportFormat::Text},
    {"json", ReportFormat::Json},
    {"gcc", ReportFormat::Gcc},
    {"github", ReportFormat::Github},
    {"sarif", ReportFormat::Sarif},
}};

// "PATH:N: TEXT", TEXT being the message without its "Line N: " lead, or "PATH: TEXT" for a note on
// the whole file; bytes as the files hold them.
void WriteText(const FindingRecords& records, std::ostream& out) {
    for (const FindingRecord& record : records) {
        out << record.path;
        if (record.finding.line > 0)
            out << ':' << record.finding.line;
        out << ": " << compiler::MessageDetail(record.finding) << '\n';
    }
}

// One array of {"file", "line", "code", "message"}, message being the text as the editor's list shows
// it; a note on the whole file has line 0 and no "Line N: " lead.
void WriteJson(const FindingRecords& records, std::ostream& out) {
    nlohmann::json array = nlohmann::json::array();
    for (const FindingRecord& record : records) {
        array.push_back(
            {{"file", ToUtf8(record.path)},
             {"line", record.finding.line},
             {"code", record.finding.code},
             {"message", ToUtf8(record.finding.line > 0 ? compiler::MessageText(record.finding)
                                                        : compiler::MessageDetail(record.finding))}});
    }
    out << array.dump(2) << '\n';
}

} // namespace

std::vector<std::string> ReportFormatNames() {
    std::vector<std::string> names;
    for (const auto& [name, format] : kFormats)
        names.emplace_back(name);
    return names;
}

std::optional<ReportFormat> ReportFormatNamed(std::string_view name) {
    for (const auto& [known, format] : kFormats) {
        if (known == name)
            return format;
    }
    return std::nullopt;
}

void WriteFindings(const FindingRecords& records, ReportFormat format, const SarifContext& sarif,
                   std::ostream& out) {
    switch (format) {
    case ReportFormat::Text:
        WriteText(records, out);
        break;
    case ReportFormat::Json:
        WriteJson(records, out);
        break;
    case ReportFormat::Gcc:
        WriteGccReport(records, out);
        break;
    case ReportFormat::Github:
        WriteGithubReport(records, out);
        break;
    case ReportFormat::Sarif:
        WriteSarifReport(records, sarif, out);
        break;
    }
}

} // namespace varko::cli
