// The report formats as units: the gcc and GitHub lines, the SARIF log's structure, URIs,
// fingerprints and the rule table.

#include "report_decoding.h"
#include "varko/cli/finding_fingerprint.h"
#include "varko/cli/line_formats.h"
#include "varko/cli/report_format.h"
#include "varko/cli/sarif_report.h"
#include "varko/cli/sarif_rules.h"
#include "varko/cli/uri_text.h"
#include "varko/cli/utf8_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <regex>
#include <set>
#include <sstream>

using namespace varko::cli;
using varko::compiler::Finding;

namespace {

FindingRecord Record(std::string path, std::string code, int line, int column, std::vector<std::string> parts,
                     std::string lineText = "x = 1") {
    return {std::move(path), Finding{line, column, std::move(code), std::move(parts)}, std::move(lineText)};
}

const std::vector<FindingRecord> kAwkwardPaths = {
    Record("mod/plain.odf", "M1", 4, 7, {"x"}),
    Record("my mod/with space.odf", "M3", 12, 1, {"gun.odf"}),
    Record("C:/odd:name,1%.odf", "T4", 2, 3, {"a,b:c%d.odf"}),
    Record("caf\xC3\xA9/\xE9t\xE9.odf", "M8", 9, 0, {"hp", "\xE9"}),
    Record("mod/x4.odf", "X4", 3, 1, {"hp", "a.odf", "2", "b, c.odf", "5"}),
};
// The level word of each record above: X4 is the one warning.
const std::vector<std::string> kLevels = {"error", "error", "error", "error", "warning"};

// The regular expression editors and CI problem matchers use for compiler diagnostics.
const std::regex kGccLine(R"(^(.*):(\d+):(\d+):\s+(?:fatal\s+)?(warning|error):\s+(.*)$)");

TEST(GccFormat, EveryLineParsesBackToItsFinding) {
    std::ostringstream out;
    WriteGccReport(kAwkwardPaths, out);
    std::istringstream lines(out.str());
    std::string line;
    for (std::size_t i = 0; i < kAwkwardPaths.size(); ++i) {
        const FindingRecord& record = kAwkwardPaths[i];
        ASSERT_TRUE(std::getline(lines, line)) << record.path;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, kGccLine)) << line;
        EXPECT_EQ(match[1], record.path);
        EXPECT_EQ(match[2], std::to_string(record.finding.line)) << line;
        EXPECT_EQ(match[3], std::to_string(std::max(record.finding.column, 1))) << line;
        EXPECT_EQ(match[4], kLevels[i]) << line;
        EXPECT_EQ(match[5], MessageDetail(record.finding) + " [" + record.finding.code + "]");
    }
    EXPECT_FALSE(std::getline(lines, line)) << "one line per finding";
}

TEST(GccFormat, ExactLine) {
    std::ostringstream out;
    WriteGccReport({Record("a.odf", "M1", 4, 7, {"hp=1"})}, out);
    EXPECT_EQ(out.str(), "a.odf:4:7: error: Error - Unknown command: hp=1 [M1]\n");
}

// A note is about a whole file: no line or column in any format, and the level each format knows.
TEST(ReportFormats, NoteOnTheWholeFile) {
    const FindingRecords records = {Record("mod/a b.odf", "M1", 4, 7, {"x"}),
                                    Record("mod/a b.odf", "U1", 0, 1, {}, "")};
    const std::string note = "Note - Not used by any tech tree, include or file name";
    const struct {
        ReportFormat format;
        std::string out;
    } rows[] = {
        {ReportFormat::Text, "mod/a b.odf:4: Error - Unknown command: x\nmod/a b.odf: " + note + "\n"},
        {ReportFormat::Gcc,
         "mod/a b.odf:4:7: error: Error - Unknown command: x [M1]\nmod/a b.odf: note: " + note + " [U1]\n"},
        {ReportFormat::Github, "::error file=mod/a b.odf,line=4,col=7,title=M1::Error - Unknown command: x\n"
                               "::notice file=mod/a b.odf,title=U1::" +
                                   note + "\n"},
    };
    for (const auto& row : rows) {
        std::ostringstream out;
        WriteFindings(records, row.format, {}, out);
        EXPECT_EQ(out.str(), row.out) << static_cast<int>(row.format);
    }
    std::ostringstream json;
    WriteFindings(records, ReportFormat::Json, {}, json);
    const nlohmann::json array = nlohmann::json::parse(json.str());
    ASSERT_EQ(array.size(), 2u);
    EXPECT_EQ(array[0]["message"], "Line 4: Error - Unknown command: x");
    EXPECT_EQ(array[1],
              (nlohmann::json{{"file", "mod/a b.odf"}, {"line", 0}, {"code", "U1"}, {"message", note}}));
}

TEST(GithubFormat, Escaping) {
    const struct {
        const char* name;
        std::string text;
        std::string data;
        std::string property;
    } rows[] = {
        {"plain", "abc", "abc", "abc"},
        {"percent first", "100%", "100%25", "100%25"},
        {"line ends", "a\r\nb\nc", "a%0D%0Ab%0Ac", "a%0D%0Ab%0Ac"},
        {"colon and comma", "a:b,c", "a:b,c", "a%3Ab%2Cc"},
        {"escape is not re-escaped", "%3A", "%253A", "%253A"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EscapeGithubData(row.text), row.data) << row.name;
        EXPECT_EQ(EscapeGithubProperty(row.text), row.property) << row.name;
    }
}

TEST(GithubFormat, PropertiesSplitBackIntoTheFinding) {
    std::ostringstream out;
    WriteGithubReport(kAwkwardPaths, out);
    const std::regex command(
        R"(^::(error|warning) file=([^,:]*),line=(\d+),col=(\d+),title=([^,:]*)::(.*)$)");
    std::istringstream lines(out.str());
    std::string line;
    for (std::size_t i = 0; i < kAwkwardPaths.size(); ++i) {
        const FindingRecord& record = kAwkwardPaths[i];
        ASSERT_TRUE(std::getline(lines, line));
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, command)) << line;
        EXPECT_EQ(match[1], kLevels[i]) << line;
        EXPECT_EQ(GithubDecode(match[2]), ToUtf8(record.path)) << line;
        EXPECT_EQ(match[3], std::to_string(record.finding.line));
        EXPECT_EQ(match[4], std::to_string(std::max(record.finding.column, 1)));
        EXPECT_EQ(match[5], record.finding.code);
        EXPECT_EQ(GithubDecode(match[6]), ToUtf8(MessageDetail(record.finding)));
    }
}

} // namespace
