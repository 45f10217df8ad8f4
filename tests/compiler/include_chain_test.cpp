#include "varko/compiler/include_chain.h"

#include "finding_texts.h"
#include "memory_source.h"

#include <gtest/gtest.h>

using namespace varko::compiler;
using varko::textrules::LineList;
using Messages = std::vector<std::string>;

namespace {

std::string Differs(const std::string& name, const std::string& first, int firstLine,
                    const std::string& later, int laterLine) {
    return "Warning - Property '" + name + "' is set to different values in " + first + " (line " +
           std::to_string(firstLine) + ") and " + later + " (line " + std::to_string(laterLine) +
           "); the value depends on the order of the includes";
}

const std::string kA = "#include \"a.odf\"";
const std::string kB = "#include \"b.odf\"";
const std::string kC = "#include \"c.odf\"";

// A document named doc.odf, the files it may include, and the messages its check gives.
struct ChainCase {
    const char* name;
    LineList document;
    MemorySource::Files files;
    Messages messages;
};

void ExpectMessages(const std::vector<ChainCase>& cases) {
    for (const ChainCase& c : cases)
        EXPECT_EQ(MessageTexts(CheckIncludeChain("doc.odf", c.document, MemorySource(c.files).Source())),
                  c.messages)
            << c.name;
}

TEST(IncludeChainTest, Cycles) {
    ExpectMessages({
        {"no includes", {"x = 1"}, {}, {}},
        {"a document that includes itself",
         {"x = 1", "#include \"doc.odf\""},
         {},
         {"Line 2: Error - Include cycle: doc.odf -> doc.odf"}},
        {"itself, in other case",
         {"#include \"DOC.ODF\""},
         {},
         {"Line 1: Error - Include cycle: doc.odf -> DOC.ODF"}},
        {"back to the document",
         {"// c", kA},
         {{"a.odf", {"#include \"doc.odf\""}}},
         {"Line 2: Error - Include cycle: doc.odf -> a.odf -> doc.odf"}},
        {"a circle further down",
         {kA},
         {{"a.odf", {kB}}, {"b.odf", {kA}}},
         {"Line 1: Error - Include cycle: doc.odf -> a.odf -> b.odf -> a.odf"}},
        {"a file that includes itself further down",
         {kA},
         {{"a.odf", {"#include \"A.odf\""}}},
         {"Line 1: Error - Include cycle: doc.odf -> a.odf -> A.odf"}},
        {"a diamond is no circle", {kA, kB}, {{"a.odf", {kC}}, {"b.odf", {kC}}, {"c.odf", {"x = 1"}}}, {}},
        {"a file included twice is no circle", {kA, kA}, {{"a.odf", {"x = 1"}}}, {}},
        {"one report per include line",
         {kA},
         {{"a.odf", {"#include \"doc.odf\"", kA}}},
         {"Line 1: Error - Include cycle: doc.odf -> a.odf -> doc.odf"}},
        {"each include line that starts one",
         {kA, kB},
         {{"a.odf", {"#include \"doc.odf\""}}, {"b.odf", {kB}}},
         {"Line 1: Error - Include cycle: doc.odf -> a.odf -> doc.odf",
          "Line 2: Error - Include cycle: doc.odf -> b.odf -> b.odf"}},
        {"a missing file is skipped",
         {"#include \"gone.odf\"", kA},
         {{"a.odf", {"#include \"gone.odf\""}}},
         {}},
        {"no name, or no include line",
         {"#include ", "#include\t\"doc.odf\"", " #include \"doc.odf\""},
         {},
         {}},
    });
}

TEST(IncludeChainTest, DifferentValues) {
    ExpectMessages({
        {"two includes disagree",
         {kA, kB},
         {{"a.odf", {"x = 1"}}, {"b.odf", {"x = 2"}}},
         {"Line 2: " + Differs("x", "a.odf", 1, "b.odf", 1)}},
        {"the document overrides", {kA, kB, "x = 3"}, {{"a.odf", {"x = 1"}}, {"b.odf", {"x = 2"}}}, {}},
        {"the document overrides first, in other case",
         {"X = 3", kA, kB},
         {{"a.odf", {"x = 1"}}, {"b.odf", {"x = 2"}}},
         {}},
        {"the document overrides one clash of three",
         {kA, "Y = 3", kB},
         {{"a.odf", {"x = 1", "y = 1", "z = 1"}}, {"b.odf", {"z = 2", "y = 2", "x = 2"}}},
         {"Line 3: " + Differs("x", "a.odf", 1, "b.odf", 3),
          "Line 3: " + Differs("z", "a.odf", 3, "b.odf", 1)}},
        {"equal values; a comment is no part of the value",
         {kA, kB},
         {{"a.odf", {"x = 1"}}, {"b.odf", {"x = 1 // the same"}}},
         {}},
        {"a first token is the value even when it starts with //",
         {kA, kB},
         {{"a.odf", {"x = //1"}}, {"b.odf", {"x = //2"}}},
         {"Line 2: " + Differs("x", "a.odf", 1, "b.odf", 1)}},
        {"values compared token by token",
         {kA, kB, kC},
         {{"a.odf", {"c = 255, 200 0"}}, {"b.odf", {"c = 255 200\t0"}}, {"c.odf", {"c = 255 200 1 // no"}}},
         {"Line 3: " + Differs("c", "b.odf", 1, "c.odf", 1)}},
        {"an included file overrides what it includes",
         {kA, kB},
         {{"a.odf", {kC, "x = 1"}}, {"b.odf", {"x = 1"}}, {"c.odf", {"x = 5"}}},
         {}},
        {"so it does before its include line",
         {kA, kB},
         {{"a.odf", {"x = 1", kC}}, {"b.odf", {"x = 1"}}, {"c.odf", {"x = 5"}}},
         {}},
        {"on the include line that brings in the later file",
         {kA, "// gap", kB},
         {{"a.odf", {"y = 0", "x = 1"}}, {"b.odf", {kC}}, {"c.odf", {"x = 2"}}},
         {"Line 3: " + Differs("x", "a.odf", 2, "c.odf", 1)}},
        {"once per property, in the order they appear",
         {kA, kB, kC},
         {{"a.odf", {"x = 1", "y = 1"}}, {"b.odf", {"y = 2", "x = 2"}}, {"c.odf", {"x = 3"}}},
         {"Line 2: " + Differs("x", "a.odf", 1, "b.odf", 2),
          "Line 2: " + Differs("y", "a.odf", 2, "b.odf", 1)}},
        {"names compared ignoring case",
         {kA, kB},
         {{"a.odf", {"maxHealth = 1"}}, {"b.odf", {"MAXHEALTH = 2"}}},
         {"Line 2: " + Differs("MAXHEALTH", "a.odf", 1, "b.odf", 1)}},
        {"numbered names are not folded",
         {kA, kB},
         {{"a.odf", {"weaponName1 = a"}}, {"b.odf", {"weaponName2 = b"}}},
         {}},
        {"a \"//\" inside quotes is part of the value",
         {kA, kB},
         {{"a.odf", {"path = \"a // b\""}}, {"b.odf", {"path = \"a\""}}},
         {"Line 2: " + Differs("path", "a.odf", 1, "b.odf", 1)}},
        {"comments and indented lines set nothing",
         {kA, kB},
         {{"a.odf", {"// x = 1"}}, {"b.odf", {" x = 2"}}},
         {}},
        {"one file setting it twice is not a clash of includes", {kA}, {{"a.odf", {"x = 1", "x = 2"}}}, {}},
        {"a circle and a clash on one line",
         {kA, kB},
         {{"a.odf", {"x = 1"}}, {"b.odf", {"x = 2", "#include \"doc.odf\""}}},
         {"Line 2: Error - Include cycle: doc.odf -> b.odf -> doc.odf",
          "Line 2: " + Differs("x", "a.odf", 1, "b.odf", 1)}},
    });
    EXPECT_EQ(SeverityOf("X3"), Severity::Error);
    EXPECT_EQ(SeverityOf("X4"), Severity::Warning);
}

TEST(IncludeChainTest, PropertySites) {
    const MemorySource source({{"base.odf", {"maxHealth = 3 // low", kA, "armorClass = \"L\""}},
                               {"a.odf", {"// nothing", "canSnipe = 1"}}});
    const LineList document{"unitName = \"A\"", "#include \"Base.odf\"", "maxHealth = 5",
                            "#include \"a.odf\""};
    const std::vector<PropertySite> expected{
        {"unitName", "\"A\"", "tank.odf", 1, 1, 0, false},
        {"maxHealth", "3 // low", "Base.odf", 1, 2, 1, true},
        {"canSnipe", "1", "a.odf", 2, 2, 2, false},
        {"armorClass", "\"L\"", "Base.odf", 3, 2, 1, false},
        {"maxHealth", "5", "tank.odf", 3, 3, 0, true},
    };
    EXPECT_EQ(PropertySites("mods/addon/tank.odf", document, source.Source()), expected)
        << "the document is named by its file name; a file already expanded adds nothing again";
    EXPECT_EQ(source.Asked("a.odf"), 1);
}

TEST(IncludeChainTest, EachFileIsReadOncePerDocument) {
    const MemorySource source({{"a.odf", {kC}}, {"b.odf", {"#include \"C.ODF\""}}, {"c.odf", {"x = 1"}}});
    const std::vector<PropertySite> sites = PropertySites("doc.odf", {kA, kB, kA}, source.Source());
    ASSERT_EQ(sites.size(), 1u);
    EXPECT_EQ(sites[0].file, "c.odf");
    EXPECT_EQ(source.Asked("a.odf"), 1);
    EXPECT_EQ(source.Asked("c.odf"), 1);
    EXPECT_EQ(source.Asked("C.ODF"), 0);
}

TEST(CachingOdfSourceTest, AsksOncePerNameIgnoringCase) {
    const MemorySource memory(MemorySource::Files{{"a.odf", {"x = 1"}}});
    const OdfSource source = CachingOdfSource(memory.Source());
    const struct {
        const char* name;
        std::optional<LineList> lines;
    } asks[] = {
        {"a.odf", LineList{"x = 1"}},
        {"A.ODF", LineList{"x = 1"}},
        {"gone.odf", std::nullopt},
        {"GONE.odf", std::nullopt},
    };
    for (const auto& ask : asks)
        EXPECT_EQ(LinesOf(source(ask.name)), ask.lines) << ask.name;
    EXPECT_EQ(memory.Asked("a.odf") + memory.Asked("A.ODF"), 1);
    EXPECT_EQ(memory.Asked("gone.odf") + memory.Asked("GONE.odf"), 1) << "a missing file is remembered too";
}

} // namespace
