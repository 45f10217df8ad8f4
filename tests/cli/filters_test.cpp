// The --ignore codes and --ignore-path globs as units.

#include "varko/cli/code_filter.h"
#include "varko/cli/path_filter.h"

#include <gtest/gtest.h>

using namespace varko::cli;

namespace {

TEST(GlobMatches, Table) {
    const struct {
        const char* glob;
        const char* path;
        bool matches;
    } rows[] = {
        {"a.odf", "a.odf", true},
        {"a.odf", "b.odf", false},
        {"*.odf", "a.odf", true},
        {"*.odf", "sub/a.odf", false},
        {"*/*.odf", "sub/a.odf", true},
        {"?.odf", "a.odf", true},
        {"?.odf", "ab.odf", false},
        {"?", "/", false},
        {"**", "a/b/c.odf", true},
        {"**/*.odf", "a.odf", true},
        {"**/*.odf", "a/b/c.odf", true},
        {"**/*.odf", "a/b/c.tt", false},
        {"vendor/**", "vendor/x/y.odf", true},
        {"vendor/**", "vendors/y.odf", false},
        {"a/**/b.odf", "a/b.odf", true},
        {"a/**/b.odf", "a/x/y/b.odf", true},
        {"a/**/b.odf", "ab.odf", false},
        {"x**.odf", "xa/b.odf", true},
        {"*", "", true},
        {"", "", true},
        {"", "a", false},
        {"my mod/[1].odf", "my mod/[1].odf", true},
        {"*\xE9*", "caf\xE9.odf", true},
        {"*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GlobMatches(row.glob, row.path), row.matches) << row.glob << " ~ " << row.path;
}

TEST(PathFilter, MatchesTheShownPathOrThePathInTheWalk) {
    const PathFilter filter({"vendor/**", "mod/old/*.odf"});
    EXPECT_TRUE(filter.Excludes("mod/vendor/a.odf", "vendor/a.odf"));
    EXPECT_TRUE(filter.Excludes("mod/old/a.odf", "old/a.odf"));
    EXPECT_FALSE(filter.Excludes("mod/new/a.odf", "new/a.odf"));
    EXPECT_FALSE(PathFilter().Excludes("a.odf", "a.odf"));
}

TEST(IgnoredCodes, KnownCodesAndTheFirstUnknownOne) {
    const struct {
        const char* name;
        std::vector<std::string> values;
        std::set<std::string, std::less<>> ignored;
        std::string unknown;
    } rows[] = {
        {"one", {"M1"}, {"M1"}, ""},
        {"list and repeat", {"M1,T4", "M13"}, {"M1", "M13", "T4"}, ""},
        {"unknown named", {"M1,Q9", "Z1"}, {"M1", "Q9", "Z1"}, "Q9"},
        {"case is exact", {"m1"}, {"m1"}, "m1"},
        {"empty item", {"M1,"}, {"M1", ""}, "\"\""},
        {"past the last code", {"M14"}, {"M14"}, "M14"},
    };
    for (const auto& row : rows) {
        const CodeFilter filter = ParseIgnoredCodes(row.values);
        EXPECT_EQ(filter.ignored, row.ignored) << row.name;
        EXPECT_EQ(filter.unknown, row.unknown) << row.name;
    }
}

TEST(IgnoredCodes, DropsOnlyThoseRecords) {
    FindingRecords records;
    for (const char* code : {"M1", "T4", "M13", "M1"})
        records.push_back({"a.odf", {1, 1, code, {}}, ""});
    DropIgnoredCodes(records, ParseIgnoredCodes({"M1"}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].finding.code, "T4");
    EXPECT_EQ(records[1].finding.code, "M13");
}

} // namespace
