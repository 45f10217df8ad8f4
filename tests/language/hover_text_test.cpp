#include "language_fixture.h"

#include "varko/language/hover_text.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

struct HoverRow {
    const char* name;
    const char* line;
    std::size_t column;
    DocumentKind type;
    const char* text;
};

const HoverRow kHovers[] = {
    {"DeclaredNameAndItsSections", "unitName = \"Tank\"", 3, DocumentKind::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NameEndStillCounts", "unitName = \"Tank\"", 8, DocumentKind::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NumberedFamily", "weaponName3 = laser", 2, DocumentKind::Odf, "weaponName3: odf\nKnown in: [craft]"},
    {"CaseIgnored", "MAXHEALTH = 5", 0, DocumentKind::Odf, "MAXHEALTH: int\nKnown in: [craft], [building]"},
    {"DeclaredInNoSection", "isAssault = 1", 4, DocumentKind::Odf, "isAssault: bool"},
    {"KnownButNotDeclared", "ordName = \"x\"", 2, DocumentKind::Odf,
     "ordName: not declared\nKnown in: [weapon]"},
    {"Undeclared", "turboBoost = 1", 5, DocumentKind::Odf, "turboBoost: not declared"},
    {"OdfFileFound", "weaponName1 = laser", 16, DocumentKind::Odf, "laser.odf: found in /mod/addon"},
    {"OdfFileMissing", "baseClass = plasma", 13, DocumentKind::Odf,
     "plasma.odf: not found in the addon directory"},
    {"BuiltInObject", "baseClass = BUILTIN", 13, DocumentKind::Odf,
     "BUILTIN.odf: built into the game (ignorefiles.txt)"},
    {"BuiltInIsNoSodFile", "geometryName = builtin", 16, DocumentKind::Odf,
     "builtin.sod: not found in the SOD directory"},
    {"SodFileFound", "geometryName = tank", 16, DocumentKind::Odf, "tank.sod: found in /mod/sod"},
    {"SodnFileMissing", "collisionMesh = ghost_col.sod", 20, DocumentKind::Odf,
     "ghost_col.sod: not found in the SOD directory"},
    {"IncludedFile", "#include \"unitbase.odf\"", 12, DocumentKind::Odf, "unitbase.odf: found in /mod/addon"},
    {"OutsideNamesAreNotLookedUp", "#include \"../secret.odf\"", 12, DocumentKind::Odf,
     "../secret.odf: not found in the addon directory"},
    {"TechTreeRequirement", "tank.odf 1 laser.odf", 12, DocumentKind::TechTree,
     "laser.odf: found in /mod/addon"},
    {"TechTreeCount", "tank.odf 1 laser.odf", 9, DocumentKind::TechTree, ""},
    {"BetweenNameAndValue", "unitName = \"Tank\"", 9, DocumentKind::Odf, ""},
    {"StringValue", "unitName = \"Tank\"", 13, DocumentKind::Odf, ""},
    {"Comment", "// unitName = \"Tank\"", 4, DocumentKind::Odf, ""},
    {"IndentedLine", "\tunitName = \"Tank\"", 3, DocumentKind::Odf, ""},
};

class HoverTable : public ::testing::TestWithParam<HoverRow> {};

TEST_P(HoverTable, TellsWhatIsUnderTheMouse) {
    const HoverRow& row = GetParam();
    const PropertyCatalog catalog = testing::SampleCatalog();
    const HoverSources sources{
        testing::TypesOf(catalog), [&catalog](std::string_view name) { return catalog.SectionsOf(name); },
        testing::FakeFileSources({"laser.odf", "unitbase.odf", "../secret.odf"}, {"tank.sod"})};
    EXPECT_EQ(HoverText(row.line, row.column, row.type, sources), row.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, HoverTable, ::testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varko::language
