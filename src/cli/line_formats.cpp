#include "varko/cli/line_formats.h"

#include "varko/cli/utf8_text.h"

namespace varko::cli {

namespace {

// The word of a compiler's diagnostic, or of a GitHub workflow command.
std::string_view LevelWord(const compiler::Finding& finding, bool github) {
    switch (compiler::SeverityOf(finding.code)) {
    case compiler::Severity::Error:
        return "error";
    case compiler::Severity::Warning:
        return "warning";
    default:
        return github ? "notice" : "note";
    }
}

int ColumnOf(const compiler::Finding& finding) {
    return finding.column > 0 ? finding.column : 1;
}

void AppendEscaped(std::string& text, char c, bool property) {
    switch (c) {
    case '%':
        text += "%25";
        break;
    case '\r':
        text += "%0D";
        break;
    case '\n':
        text += "%0A";
        break;
    case ':':
        text += property ? "%3A" : ":";
        break;
    case ',':
        text += property ? "%2C" : ",";
        break;
    default:
        text.push_back(c);
    }
}

std::string Escape(std::string_view text, bool property) {
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (char c : text)
        AppendEscaped(escaped, c, property);
    return escaped;
}

} // namespace

std::string EscapeGithubData(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeGithubProperty(std::string_view text) {
    return Escape(text, true);
}

// A note on the whole file has no line: "PATH: note: MESSAGE [CODE]".
void WriteGccReport(const FindingRecords& records, std::ostream& out) {
    for (const FindingRecord& record : records) {
        const compiler::Finding& finding = record.finding;
        out << record.path;
        if (finding.line > 0)
            out << ':' << finding.line << ':' << ColumnOf(finding);
        out << ": " << LevelWord(finding, false) << ": " << compiler::MessageDetail(finding) << " ["
            << finding.code << "]\n";
    }
}

// GitHub reads workflow commands as UTF-8, so other bytes are read as Latin-1 first. A note on the
// whole file is a "::notice" without line and column.
void WriteGithubReport(const FindingRecords& records, std::ostream& out) {
    for (const FindingRecord& record : records) {
        const compiler::Finding& finding = record.finding;
        out << "::" << LevelWord(finding, true) << " file=" << EscapeGithubProperty(ToUtf8(record.path));
        if (finding.line > 0)
            out << ",line=" << finding.line << ",col=" << ColumnOf(finding);
        out << ",title=" << EscapeGithubProperty(finding.code)
            << "::" << EscapeGithubData(ToUtf8(compiler::MessageDetail(finding))) << '\n';
    }
}

} // namespace varko::cli
