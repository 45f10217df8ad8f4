// A finding as a diagnostic: the token it marks, its severity and code, the message text, and the
// other places the checks across files point at.
#include "varko/lsp/diagnostics.h"
#include "varko/lsp/workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace varko::lsp;
using varko::compiler::Finding;

namespace {

struct SpanRow {
    const char* name;
    std::string line;
    int column;
    std::size_t start;
    std::size_t end;
};

const SpanRow kSpans[] = {
    {"NoColumnIsTheWholeLine", "engine roar", 1, 0, 11},
    {"PlainToken", "hp = 12x more", 6, 5, 8},
    {"QuotedToken", "name = \"a b\" x", 8, 7, 12},
    {"TokenEndsAtComma", "list = a,b", 8, 7, 8},
    {"ColumnPastTheEnd", "hp", 9, 0, 2},
    {"BlanksOnly", "hp =   ", 5, 4, 7},
    {"NulEndsTheLine", std::string("ab\0cd", 5), 1, 0, 2},
};

class SpanTable : public ::testing::TestWithParam<SpanRow> {};

TEST_P(SpanTable, MarksTheFindingsToken) {
    const SpanRow& row = GetParam();
    const ByteSpan span = FindingSpan(row.line, row.column);
    EXPECT_EQ(span.start, row.start);
    EXPECT_EQ(span.end, row.end);
}

INSTANTIATE_TEST_SUITE_P(Diagnostics, SpanTable, ::testing::ValuesIn(kSpans),
                         [](const auto& info) { return std::string(info.param.name); });

DiagnosticContext Context(const std::vector<std::string>& lines, PositionEncoding encoding) {
    return {
        "file:///mod/doc.odf", encoding,
        [lines](std::size_t i) { return i < lines.size() ? std::string_view(lines[i]) : std::string_view(); },
        [](std::string_view name) -> std::optional<std::string> {
            return name == "missing.odf" ? std::nullopt : std::optional("file:///mod/" + std::string(name));
        }};
}

TEST(Diagnostics, CarryTheCheckersTextCodeAndSeverity) {
    const std::vector<std::string> lines = {"x", "caf\xE9 = \"a\"", "maxAmmo=40"};
    const nlohmann::json diagnostic =
        DiagnosticOf(Finding{2, 8, "M10", {"caf\xE9"}}, Context(lines, PositionEncoding::Utf8));
    EXPECT_EQ(diagnostic["source"], "varko");
    EXPECT_EQ(diagnostic["code"], "M10");
    EXPECT_EQ(diagnostic["severity"], 1);
    // The Windows-1252 byte is sent as UTF-8, and counted as two UTF-8 columns.
    EXPECT_EQ(diagnostic["message"],
              "Error - Property 'caf\xC3\xA9' is a string. Quotation marks \"\" are needed");
    EXPECT_EQ(diagnostic["range"]["start"], nlohmann::json({{"line", 1}, {"character", 8}}));
    EXPECT_EQ(diagnostic["range"]["end"], nlohmann::json({{"line", 1}, {"character", 11}}));
    EXPECT_FALSE(diagnostic.contains("relatedInformation"));
}

TEST(Diagnostics, ChecksAcrossFilesPointAtTheOtherPlaces) {
    const std::vector<std::string> lines = {"#include \"a.odf\"", "#include \"b.odf\"", "a.odf 0", "a.odf 0"};
    const auto context = Context(lines, PositionEncoding::Utf16);
    const nlohmann::json clash =
        DiagnosticOf(Finding{2, 1, "X4", {"hp", "a.odf", "3", "b.odf", "7"}}, context);
    EXPECT_EQ(clash["severity"], 2);
    ASSERT_EQ(clash["relatedInformation"].size(), 2u);
    EXPECT_EQ(clash["relatedInformation"][1]["location"]["uri"], "file:///mod/b.odf");
    EXPECT_EQ(clash["relatedInformation"][1]["location"]["range"]["start"]["line"], 6);
    const nlohmann::json repeat = DiagnosticOf(Finding{4, 1, "X2", {"a.odf", "3"}}, context);
    EXPECT_EQ(repeat["relatedInformation"][0]["location"]["uri"], "file:///mod/doc.odf");
    EXPECT_EQ(repeat["relatedInformation"][0]["location"]["range"]["start"]["line"], 2);
    const nlohmann::json cycle =
        DiagnosticOf(Finding{1, 1, "X3", {"doc.odf -> a.odf -> missing.odf -> doc.odf"}}, context);
    ASSERT_EQ(cycle["relatedInformation"].size(), 1u); // a file that cannot be found has no place
    EXPECT_EQ(cycle["relatedInformation"][0]["location"]["uri"], "file:///mod/a.odf");
}

struct OverrideRow {
    const char* name;
    nlohmann::json settings;
    std::vector<std::string> addonDirs;
    std::optional<bool> extra;
    std::vector<std::string> ignore;
};

const OverrideRow kOverrides[] = {
    {"Nothing", nlohmann::json::object(), {}, std::nullopt, {}},
    {"ArraysRelativeToTheFolder",
     {{"addonDirs", {"addon", "/base/addon"}}, {"extraChecks", true}},
     {"/mod/addon", "/base/addon"},
     true,
     {}},
    {"OneStringWithSemicolons",
     {{"addonDirs", "a;../b"}, {"ignore", "M1,X4"}},
     {"/mod/a", "/b"},
     std::nullopt,
     {"M1", "X4"}},
    {"UnderAVarkoKey", {{"varko", {{"addonDirs", {"x"}}, {"extraChecks", false}}}}, {"/mod/x"}, false, {}},
};

class OverrideTable : public ::testing::TestWithParam<OverrideRow> {};

// Compared as paths: Windows joins them with its own separator.
std::vector<std::filesystem::path> AsPaths(const std::vector<std::string>& dirs) {
    return {dirs.begin(), dirs.end()};
}

TEST_P(OverrideTable, ReadsTheEditorsSettings) {
    const OverrideRow& row = GetParam();
    const varko::cli::SettingsOverrides overrides = OverridesOf(row.settings, "/mod");
    EXPECT_EQ(AsPaths(overrides.addonDirs), AsPaths(row.addonDirs));
    EXPECT_EQ(overrides.extraChecks, row.extra);
    EXPECT_EQ(overrides.ignoreCodes, row.ignore);
}

INSTANTIATE_TEST_SUITE_P(Settings, OverrideTable, ::testing::ValuesIn(kOverrides),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
