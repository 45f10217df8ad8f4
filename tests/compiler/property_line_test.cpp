#include "varko/compiler/property_line.h"

#include <gtest/gtest.h>

using namespace varko::compiler;

namespace {

TEST(SplitPropertyLine, Table) {
    const struct {
        const char* line;
        const char* name;
        const char* value;
    } cases[] = {
        {"abc = 12", "abc", "12"},  {"abc=12", "ab", "2"},   {"abc  =  12", "abc ", " 12"},
        {"a=1", "", ""},            {"= 5", "", "5"},        {"xyz", "", "yz"},
        {"", "", ""},               {"a = b = c", "a", "b = c"}, {"x =", "x", ""},
    };
    for (const auto& c : cases) {
        PropertyLine parts = SplitPropertyLine(c.line);
        EXPECT_EQ(parts.name, c.name) << c.line;
        EXPECT_EQ(parts.value, c.value) << c.line;
        const PropertyLineView view = SplitPropertyLineView(c.line);
        EXPECT_EQ(view.name, c.name) << c.line;
        EXPECT_EQ(std::string_view(c.line).substr(view.valueStart), c.value) << c.line;
    }
}

TEST(FoldDigits, Table) {
    const struct {
        const char* name;
        const char* folded;
    } cases[] = {
        {"abc", "abc"}, {"abc1", "abc?"}, {"abc12", "abc?"}, {"abc123", "abc1?"}, {"a-1", "a-?"},
        {"x1y", "x1y"}, {"7", "?"},       {"12", "?"},       {"", ""},            {"a?", "a?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldDigits(c.name), c.folded) << c.name;
}

TEST(DeclarationTable, FirstMatchIgnoringCaseAndVerbatimTypes) {
    DeclarationTable table({"abc?=int", "ABC?=bool", "plain=INT", "spaced = int", "noequals", "=odf", "x=a=b"});
    EXPECT_EQ(table.TypeOf(FoldDigits("abc5")), "int");
    EXPECT_EQ(table.TypeOf(FoldDigits("ABC05")), "int");
    EXPECT_EQ(table.TypeOf(FoldDigits("abc123")), "");
    EXPECT_EQ(table.TypeOf("plain"), "INT");
    EXPECT_EQ(table.TypeOf("spaced "), " int");
    EXPECT_EQ(table.TypeOf("spaced"), "");
    EXPECT_EQ(table.TypeOf("noequals"), "");
    EXPECT_EQ(table.TypeOf(""), "odf");
    EXPECT_EQ(table.TypeOf("x"), "a=b");
}

} // namespace
