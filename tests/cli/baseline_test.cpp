// The baseline file and its matching as units; the real program's use of it is in
// cli_options_tests.

#include "varko/cli/base64.h"
#include "varko/cli/baseline_file.h"
#include "varko/cli/baseline_match.h"

#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>

using namespace varko::cli;
using varko::compiler::Finding;

namespace {

FindingRecord Record(std::string path, std::string code, int line, std::string lineText) {
    return {std::move(path), Finding{line, 1, std::move(code), {"x"}}, std::move(lineText)};
}

std::vector<BaselineEntry> EntriesOf(const FindingRecords& records) {
    std::vector<BaselineEntry> entries;
    for (const FindingRecord& record : records)
        entries.push_back({record.path, record.finding.code, record.lineText});
    return entries;
}

const FindingRecords kRecords = {
    Record("mod/b.odf", "M8", 3, "hp = x"),
    Record("mod/a.odf", "M1", 1, "say \"hi\"\t\\ // \x01"),
    Record("mod/\xE9t\xE9.odf", "M3", 2, "gun = \xFF\xFE"),
    Record("mod/a.odf", "M1", 7, "nul\0byte"),
    Record("mod/a.odf", "M1", 9, "say \"hi\"\t\\ // \x01"),
};

TEST(BaselineFile, EveryByteComesBackSorted) {
    const BaselineRead read = ParseBaseline(BaselineDocument(kRecords));
    ASSERT_EQ(read.error, "");
    std::vector<BaselineEntry> expected = EntriesOf(kRecords);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(read.entries, expected);
}

TEST(BaselineFile, DocumentIsTheDocumentedShape) {
    const nlohmann::json document = nlohmann::json::parse(BaselineDocument(kRecords));
    EXPECT_EQ(document["version"], 1);
    EXPECT_EQ(document["tool"], "varko-check");
    const nlohmann::json& first = document["findings"][0];
    EXPECT_EQ(first["path"], "mod/a.odf");
    EXPECT_EQ(first["code"], "M1");
    const nlohmann::json& latin1 = document["findings"][4];
    EXPECT_FALSE(latin1.contains("path")) << latin1.dump();
    EXPECT_EQ(DecodeBase64(latin1["path_base64"].get<std::string>()), "mod/\xE9t\xE9.odf");
    FindingRecords reversed(kRecords.rbegin(), kRecords.rend());
    EXPECT_EQ(BaselineDocument(reversed), BaselineDocument(kRecords))
        << "order of the findings does not matter";
}

TEST(BaselineFile, DamagedDocumentsAreErrors) {
    const std::string good = BaselineDocument(kRecords);
    const struct {
        const char* name;
        std::string text;
        std::string error;
    } rows[] = {
        {"empty", "", "the file is empty"},
        {"blank", " \n\t\r\n", "the file is empty"},
        {"truncated", good.substr(0, good.size() / 2), "not valid JSON"},
        {"not JSON", "findings: none\n", "not valid JSON"},
        {"other version", R"({"version": 2, "tool": "varko-check", "findings": []})",
         "version 2 is not supported"},
        {"version as text", R"({"version": "1", "tool": "varko-check", "findings": []})", "version \"1\""},
        {"no version", R"({"tool": "varko-check", "findings": []})", "version null"},
        {"other tool", R"({"version": 1, "tool": "lint", "findings": []})", "not a varko-check baseline"},
        {"array", R"([1, 2])", "not a varko-check baseline"},
        {"no findings", R"({"version": 1, "tool": "varko-check"})", "no \"findings\" list"},
        {"entry not an object", R"({"version": 1, "tool": "varko-check", "findings": [3]})",
         "finding 1 is not an object"},
        {"entry without code",
         R"({"version": 1, "tool": "varko-check", "findings": [{"path": "a", "line_text": ""}]})",
         "finding 1 lacks"},
        {"bad base64",
         R"({"version": 1, "tool": "varko-check", "findings": [{"path_base64": "$$", "code": "M1", "line_text": ""}]})",
         "finding 1 lacks"},
    };
    for (const auto& row : rows) {
        const BaselineRead read = ParseBaseline(row.text);
        EXPECT_NE(read.error.find(row.error), std::string::npos) << row.name << ": " << read.error;
        EXPECT_TRUE(read.entries.empty()) << row.name;
    }
}

TEST(BaselineFile, EmptyListIsAValidBaseline) {
    const BaselineRead read = ParseBaseline(BaselineDocument({}));
    EXPECT_EQ(read.error, "");
    EXPECT_TRUE(read.entries.empty());
}

TEST(BaselineFile, ReadAndWrite) {
    ScratchDir dir;
    const std::string file = (dir.path() / "baseline.json").string();
    EXPECT_EQ(ReadBaseline(file).error, "no such file");
    ASSERT_TRUE(WriteBaseline(file, kRecords));
    EXPECT_EQ(ReadBaseline(file).entries.size(), kRecords.size());
    EXPECT_EQ(ReadBaseline(dir.path().string()).error, "not a readable regular file");
}

TEST(BaselineMatch, MatchesByPathCodeAndLineTextAsAMultiset) {
    const FindingRecord bad3 = Record("a.odf", "M1", 3, "bad");
    const FindingRecord bad9 = Record("a.odf", "M1", 9, "bad");
    const FindingRecord worse = Record("a.odf", "M1", 4, "worse");
    const struct {
        const char* name;
        FindingRecords baseline;
        FindingRecords now;
        std::vector<int> freshLines;
        std::size_t unmatched;
    } rows[] = {
        {"nothing changed", {bad3, worse}, {bad3, worse}, {}, 0},
        {"line moved", {bad3}, {bad9}, {}, 0},
        {"two identical findings, one entry", {bad3}, {bad3, bad9}, {9}, 0},
        {"two identical findings, two entries", {bad3, bad9}, {bad3, bad9}, {}, 0},
        {"finding fixed", {bad3, worse}, {bad3}, {}, 1},
        {"line text changed", {worse}, {Record("a.odf", "M1", 4, "worse!")}, {4}, 1},
        {"other path", {bad3}, {Record("b.odf", "M1", 3, "bad")}, {3}, 1},
        {"other code", {bad3}, {Record("a.odf", "M2", 3, "bad")}, {3}, 1},
        {"empty baseline", {}, {bad3, worse}, {3, 4}, 0},
    };
    for (const auto& row : rows) {
        const BaselineMatch match = MatchBaseline(row.now, EntriesOf(row.baseline));
        std::vector<int> freshLines;
        for (const FindingRecord& record : match.fresh)
            freshLines.push_back(record.finding.line);
        EXPECT_EQ(freshLines, row.freshLines) << row.name;
        EXPECT_EQ(match.unmatchedEntries, row.unmatched) << row.name;
    }
}

TEST(Base64, KnownVectorsAndEveryByte) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(EncodeBase64(bytes), text);
        EXPECT_EQ(DecodeBase64(text), bytes) << text;
    }
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);
    for (const char* bad : {"Zg=", "Z===", "Zm9v!A==", "=Zm9", "Zg==Zm8="})
        EXPECT_EQ(DecodeBase64(bad), std::nullopt) << bad;
}

} // namespace
