// The SARIF log as a unit: its rule table, URIs, columns and fingerprints. The real program's log
// is validated by the SARIF multitool in cli_sarif_validation_tests.

#include "varko/cli/finding_fingerprint.h"
#include "varko/cli/sarif_report.h"
#include "varko/cli/sarif_rules.h"
#include "varko/cli/uri_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <set>
#include <sstream>

using namespace varko::cli;
using nlohmann::json;
using varko::compiler::Finding;

namespace {

FindingRecord Record(std::string path, std::string code, int line, std::string lineText = "x = 1",
                     int column = 1) {
    return {std::move(path), Finding{line, column, std::move(code), {"x"}}, std::move(lineText)};
}

json Log(const FindingRecords& records, const std::string& root = "/work/mod") {
    std::ostringstream out;
    WriteSarifReport(records, {"9.8.7.6", root}, out);
    return json::parse(out.str());
}

TEST(SarifRules, EveryKnownCodeHasExactlyOneRuleWithText) {
    std::set<std::string_view> ids;
    for (const SarifRule& rule : SarifRules()) {
        EXPECT_TRUE(ids.insert(rule.code).second) << "twice: " << rule.code;
        EXPECT_TRUE(varko::compiler::IsKnownCode(rule.code)) << "rule for no code: " << rule.code;
        EXPECT_FALSE(rule.name.empty() || rule.shortDescription.empty() || rule.fullDescription.empty() ||
                     rule.help.empty())
            << rule.code;
    }
    for (char family : {'M', 'T', 'X', 'U'}) {
        for (int number = 1; number <= 40; ++number) {
            const std::string code = family + std::to_string(number);
            EXPECT_EQ(varko::compiler::IsKnownCode(code), SarifRuleIndex(code).has_value()) << code;
        }
    }
}

TEST(SarifLog, ResultsNameTheirRulesAndTheTool) {
    const FindingRecords records = {Record("a.odf", "T4", 3), Record("a.odf", "M13", 1),
                                    Record("b.odf", "Z7", 2), Record("c.odf", "X4", 5),
                                    Record("d.odf", "U1", 0, "")};
    const char* const levels[] = {"error", "error", "error", "warning", "note"};
    const json log = Log(records);
    EXPECT_EQ(log["version"], "2.1.0");
    const json& run = log["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["name"], "varko-check");
    EXPECT_EQ(run["tool"]["driver"]["version"], "9.8.7.6");
    const json& rules = run["tool"]["driver"]["rules"];
    EXPECT_EQ(rules.size(), SarifRules().size() + 1) << "a rule is added for a code the table lacks";
    ASSERT_EQ(run["results"].size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const json& result = run["results"][i];
        EXPECT_EQ(result["ruleId"], records[i].finding.code);
        EXPECT_EQ(rules.at(result["ruleIndex"].get<std::size_t>())["id"], records[i].finding.code);
        EXPECT_EQ(result["level"], levels[i]) << records[i].finding.code;
        const json& location = result["locations"][0]["physicalLocation"];
        if (records[i].finding.line > 0)
            EXPECT_EQ(location["region"]["startLine"], records[i].finding.line);
        else
            EXPECT_FALSE(location.contains("region")) << "a note on the whole file has no region";
    }
}

TEST(SarifLog, PathsBecomeValidUris) {
    const struct {
        const char* name;
        std::string path;
        std::string uri;
        bool relative;
    } rows[] = {
        {"plain", "mod/a.odf", "mod/a.odf", true},
        {"dot first", "./mod/a.odf", "mod/a.odf", true},
        {"space", "my mod/a b.odf", "my%20mod/a%20b.odf", true},
        {"percent, comma, colon", "100%/x,y:z.odf", "100%25/x%2Cy%3Az.odf", true},
        {"colon in first part, not a scheme", "c:x.odf", "c%3Ax.odf", true},
        {"UTF-8", "caf\xC3\xA9.odf", "caf%C3%A9.odf", true},
#ifndef _WIN32 // Windows names are UTF-16, never other bytes; and its absolute paths start with a drive
        {"Latin-1 byte", "\xE9t\xE9.odf", "%E9t%E9.odf", true},
        {"absolute under the root", "/work/mod/sub/a.odf", "sub/a.odf", true},
        {"absolute elsewhere", "/other/a b.odf", "file:///other/a%20b.odf", false},
#endif
    };
    for (const auto& row : rows) {
        const json location = Log({Record(row.path, "M1", 1)})["runs"][0]["results"][0]["locations"][0];
        const json& artifact = location["physicalLocation"]["artifactLocation"];
        EXPECT_EQ(artifact["uri"], row.uri) << row.name;
        EXPECT_EQ(artifact.contains("uriBaseId"), row.relative) << row.name;
    }
    EXPECT_EQ(Log({}, "/work/my mod")["runs"][0]["originalUriBaseIds"][kSarifRootBaseId]["uri"],
              "file:///work/my%20mod/");
}

TEST(SarifLog, ColumnsCountCodePointsOfUtf8Lines) {
    const struct {
        const char* name;
        std::string lineText;
        int byteColumn;
        int column;
    } rows[] = {
        {"ASCII", "abc = x", 7, 7},
        {"two-byte letter before", "\xC3\xA9t\xC3\xA9 = x", 9, 7},
        {"Latin-1 bytes count one each", "\xE9t\xE9 = x", 7, 7},
        {"no column", "abc", 0, 1},
        {"past the line's end", "ab", 9, 9},
    };
    for (const auto& row : rows) {
        const json log = Log({Record("a.odf", "M1", 1, row.lineText, row.byteColumn)});
        EXPECT_EQ(log["runs"][0]["results"][0]["locations"][0]["physicalLocation"]["region"]["startColumn"],
                  row.column)
            << row.name;
    }
}

TEST(SarifLog, TextsSurviveTheWriting) {
    const struct {
        const char* name;
        std::string lineText;
        std::string snippet;
    } rows[] = {
        {"quotes and backslashes", "say = \"a\\b\"", "say = \"a\\b\""},
        {"control bytes", std::string("a\x01\t\x7F", 4) + std::string(1, '\0') + "z",
         std::string("a\x01\t\x7F", 4) + std::string(1, '\0') + "z"},
        {"UTF-8", "caf\xC3\xA9 = 1", "caf\xC3\xA9 = 1"},
        {"Latin-1 read as such", "caf\xE9 = 1", "caf\xC3\xA9 = 1"},
    };
    for (const auto& row : rows) {
        FindingRecord record = Record("a \"b\".odf", "M1", 2, row.lineText);
        record.finding.parts = {row.lineText};
        const json result = Log({record})["runs"][0]["results"][0];
        EXPECT_EQ(result["locations"][0]["physicalLocation"]["region"]["snippet"]["text"], row.snippet)
            << row.name;
        EXPECT_EQ(result["message"]["text"], "Error - Unknown command: " + row.snippet) << row.name;
    }
}

TEST(FindingFingerprints, FollowTheLineTextNotItsNumber) {
    const std::vector<std::string> before =
        FindingFingerprints({Record("a.odf", "M1", 3, "bad"), Record("a.odf", "M1", 8, "bad"),
                             Record("a.odf", "M1", 9, "worse")});
    const std::vector<std::string> after =
        FindingFingerprints({Record("a.odf", "M1", 13, "bad"), Record("a.odf", "M1", 18, "bad"),
                             Record("a.odf", "M1", 1, "worse")});
    EXPECT_EQ(before, after) << "lines moved, fingerprints kept";
    EXPECT_NE(before[0], before[1]) << "two identical lines keep two fingerprints";
    EXPECT_NE(before[0], before[2]);
    const struct {
        const char* name;
        FindingRecord other;
    } changes[] = {
        {"other path", Record("b.odf", "M1", 3, "bad")},
        {"other code", Record("a.odf", "M2", 3, "bad")},
        {"other text", Record("a.odf", "M1", 3, "bad ")},
    };
    for (const auto& change : changes)
        EXPECT_NE(FindingFingerprints({change.other})[0], before[0]) << change.name;
    EXPECT_EQ(before[0].size(), 16u);
}

TEST(UriText, EncodesEveryByteButTheUnreserved) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const std::string uri = PercentEncodePath(all);
    std::size_t plain = 0;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%') {
            ASSERT_LT(i + 2, uri.size());
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
                        std::isxdigit(static_cast<unsigned char>(uri[i + 2])));
            i += 2;
        } else {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(uri[i])) ||
                        std::string_view("-._~/").find(uri[i]) != std::string_view::npos)
                << int(uri[i]);
        }
        ++plain;
    }
    EXPECT_EQ(plain, all.size()) << "one URI character or escape per byte";
}

} // namespace
