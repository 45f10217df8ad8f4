#include "language_fixture.h"
#include "memory_source.h"

#include "varko/language/document_features.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

const textrules::LineList kTank = {
    "#include \"unitbase.odf\"", "unitName = \"Tank\"", "weaponName1 = la",
    "geometryName = ",           "maxHealth = 5",
};

ModKnowledge Knowledge() {
    return testing::SampleKnowledge({"laser.odf", "Lance.odf", "unitbase.odf"}, {"tank.sod", "tank.msh"});
}

Range OnLine(int line, std::size_t start, std::size_t end) {
    return {{line, start}, {line, end}};
}

struct CompletionRow {
    const char* name;
    Position at;
    DocumentKind kind;
    std::vector<CompletionItem> items;
};

const CompletionRow kCompletions[] = {
    {"NamesByPrefixCaseIgnored",
     {4, 2},
     DocumentKind::Odf,
     {{"maxHealth", "int", "maxHealth", OnLine(4, 0, 2)}}},
    {"OdfValueWithoutExtension",
     {2, 16},
     DocumentKind::Odf,
     {{"laser", "ODF file", "laser", OnLine(2, 14, 16)}, {"Lance", "ODF file", "Lance", OnLine(2, 14, 16)}}},
    {"SodValueFromNothing", {3, 15}, DocumentKind::Odf, {{"tank", "SOD file", "tank", OnLine(3, 15, 15)}}},
    {"StringValueOffersNothing", {1, 12}, DocumentKind::Odf, {}},
    {"TechTreeOffersNothing", {4, 2}, DocumentKind::TechTree, {}},
    {"LinePastTheEnd", {9, 0}, DocumentKind::Odf, {}},
};

class CompletionTable : public ::testing::TestWithParam<CompletionRow> {};

TEST_P(CompletionTable, OffersWhatFitsThePosition) {
    EXPECT_EQ(CompletionsAt(kTank, GetParam().at, GetParam().kind, Knowledge()), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Features, CompletionTable, ::testing::ValuesIn(kCompletions),
                         [](const auto& info) { return std::string(info.param.name); });

struct HoverRow {
    const char* name;
    Position at;
    bool withIncludes;
    std::optional<HoverInfo> hover;
};

const HoverRow kHovers[] = {
    {"IncludedFileAndItsPath",
     {0, 12},
     true,
     HoverInfo{"unitbase.odf: found in /mod/addon", OnLine(0, 10, 22)}},
    {"PropertyAndWhereIncludesSetIt",
     {4, 3},
     true,
     HoverInfo{"maxHealth: int\nKnown in: [craft], [building]\nAlso set in: unitbase.odf line 2",
               OnLine(4, 0, 9)}},
    {"WithoutIncludesOnlyTheType",
     {4, 3},
     false,
     HoverInfo{"maxHealth: int\nKnown in: [craft], [building]", OnLine(4, 0, 9)}},
    {"SetNowhereElse", {2, 3}, true, HoverInfo{"weaponName1: odf\nKnown in: [craft]", OnLine(2, 0, 11)}},
    {"NothingOverAString", {1, 13}, true, std::nullopt},
    {"LinePastTheEnd", {7, 0}, true, std::nullopt},
};

class HoverAtTable : public ::testing::TestWithParam<HoverRow> {};

TEST_P(HoverAtTable, TellsWhatIsAtThePosition) {
    const MemorySource files({{"unitbase.odf", {"unitName = \"Base\"", "maxHealth = 3"}}});
    const compiler::OdfSource includes = files.Source();
    EXPECT_EQ(HoverAt(kTank, GetParam().at, DocumentKind::Odf, Knowledge(), "/mod/addon/tank.odf",
                      GetParam().withIncludes ? &includes : nullptr),
              GetParam().hover);
}

INSTANTIATE_TEST_SUITE_P(Features, HoverAtTable, ::testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DefinitionAt, LeadsToTheFirstLineOfTheFileNamed) {
    const ModKnowledge knowledge = Knowledge();
    const textrules::LineList tree = {"laser.odf 1 unitbase.odf", "ghost.odf 0"};
    EXPECT_EQ(DefinitionAt(kTank, {0, 3}, DocumentKind::Odf, knowledge),
              (Location{"/mod/addon/unitbase.odf", 0}));
    EXPECT_EQ(DefinitionAt(tree, {0, 2}, DocumentKind::TechTree, knowledge),
              (Location{"/mod/addon/laser.odf", 0}));
    EXPECT_EQ(DefinitionAt(tree, {0, 14}, DocumentKind::TechTree, knowledge),
              (Location{"/mod/addon/unitbase.odf", 0}));
    EXPECT_EQ(DefinitionAt(tree, {1, 2}, DocumentKind::TechTree, knowledge), std::nullopt);
    EXPECT_EQ(DefinitionAt(kTank, {3, 2}, DocumentKind::Odf, knowledge), std::nullopt);
    EXPECT_EQ(DefinitionAt(tree, {5, 0}, DocumentKind::TechTree, knowledge), std::nullopt);
}

TEST(FixesFor, GiveTheRangeTheCaptionAndTheFindingsCode) {
    const textrules::LineList lines = {"maxHealth = 5", "weaponName1 = lazer // gun",
                                       "#include \"unitbse.odf\""};
    const ModKnowledge knowledge = Knowledge();
    EXPECT_EQ(FixesFor({2, 15, "M3", {"lazer.odf"}}, lines, DocumentKind::Odf, knowledge),
              (std::vector<FixSuggestion>{
                  {2, 14, "lazer", "laser", OnLine(1, 14, 19), "Change \"lazer\" to \"laser\"", "M3"}}));
    EXPECT_EQ(FixesFor({3, 10, "M4", {"unitbse.odf"}}, lines, DocumentKind::Odf, knowledge).front().range,
              OnLine(2, 10, 21));
    EXPECT_TRUE(FixesFor({0, 0, "M3", {"lazer.odf"}}, lines, DocumentKind::Odf, knowledge).empty());
    EXPECT_TRUE(FixesFor({9, 1, "M3", {"lazer.odf"}}, lines, DocumentKind::Odf, knowledge).empty());
}

TEST(FixesForLine, OffersEachReplacementOnceForAllFindingsOfTheLine) {
    const std::vector<compiler::Finding> findings = {
        {1, 1, "T4", {"lazer.odf"}}, {1, 1, "T4", {"lazer.odf"}}, {2, 1, "T4", {"lance.odf"}}};
    const std::vector<FixSuggestion> fixes =
        FixesForLine(findings, 1, "lazer.odf 0", DocumentKind::TechTree, FixSourcesOf(Knowledge()));
    ASSERT_EQ(fixes.size(), 2u);
    EXPECT_EQ(fixes[0].replacement, "laser.odf");
    EXPECT_EQ(fixes[1].replacement, "Lance.odf");
}

} // namespace
} // namespace varko::language
