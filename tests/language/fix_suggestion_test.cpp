#include "language_fixture.h"

#include "varko/language/fix_suggestion.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

using compiler::Finding;

struct FixRow {
    const char* name;
    const char* line;
    DocumentKind type;
    Finding finding;
    std::size_t start;
    const char* original;
    std::vector<std::string> replacements;
};

const FixRow kFixes[] = {
    {"OdfValueKeepsLeavingOutTheExtension",
     "weaponName1 = lazer",
     DocumentKind::Odf,
     {1, 15, "M3", {"lazer.odf"}},
     14,
     "lazer",
     {"laser"}},
    {"IncludeKeepsItsQuotes",
     "#include \"unitbse.odf\"",
     DocumentKind::Odf,
     {1, 10, "M4", {"unitbse.odf"}},
     10,
     "unitbse.odf",
     {"unitbase.odf"}},
    {"OdfnValueKeepsTheExtension",
     "deployedName = tnak.odf",
     DocumentKind::Odf,
     {1, 16, "M5", {"tnak.odf"}},
     15,
     "tnak.odf",
     {"Tank.odf"}},
    {"SodValue", "geometryName = tnak", DocumentKind::Odf, {1, 16, "M6", {"tnak.sod"}}, 15, "tnak", {"tank"}},
    {"SodnValue",
     "collisionMesh = tank_cl.sod",
     DocumentKind::Odf,
     {1, 17, "M12", {"tank_cl.sod"}},
     16,
     "tank_cl.sod",
     {"tank_col.sod", "tank.sod"}},
    {"TechTreeRequirementWithoutAColumn",
     "tank.odf 1 factroy.odf",
     DocumentKind::TechTree,
     {1, 1, "T4", {"factroy.odf"}},
     11,
     "factroy.odf",
     {"factory.odf"}},
    {"TechTreeTheSecondOfTwoEqualNames",
     "lazer.odf 1 lazer.odf",
     DocumentKind::TechTree,
     {1, 13, "T4", {"lazer.odf"}},
     12,
     "lazer.odf",
     {"laser.odf"}},
    {"UndeclaredName",
     "maxHelth = 5",
     DocumentKind::Odf,
     {1, 1, "M1", {"maxHelth = 5"}},
     0,
     "maxHelth",
     {"maxHealth"}},
    {"DeclaredNameWithAnEmptyValue",
     "baseClass = ",
     DocumentKind::Odf,
     {1, 1, "M1", {"baseClass = "}},
     0,
     "",
     {}},
    {"NothingNearEnough",
     "weaponName1 = zzzzzzzz",
     DocumentKind::Odf,
     {1, 15, "M3", {"zzzzzzzz.odf"}},
     14,
     "zzzzzzzz",
     {}},
    {"OtherCodesOfferNothing",
     "maxHealth = x",
     DocumentKind::Odf,
     {1, 13, "M8", {"maxHealth", "x"}},
     0,
     "",
     {}},
};

class FixTable : public ::testing::TestWithParam<FixRow> {};

TEST_P(FixTable, OffersNearbyNamesWrittenAsTheLineWritesThem) {
    const FixRow& row = GetParam();
    const PropertyCatalog catalog = testing::SampleCatalog();
    const std::vector<FixSuggestion> suggestions =
        SuggestFixes(row.finding, row.line, row.type, testing::FixSourcesFor(catalog));
    std::vector<std::string> replacements;
    for (const FixSuggestion& suggestion : suggestions) {
        replacements.push_back(suggestion.replacement);
        EXPECT_EQ(suggestion.start, row.start);
        EXPECT_EQ(suggestion.original, row.original);
        EXPECT_EQ(suggestion.line, row.finding.line);
    }
    EXPECT_EQ(replacements, row.replacements);
}

INSTANTIATE_TEST_SUITE_P(Findings, FixTable, ::testing::ValuesIn(kFixes),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
} // namespace varko::language
