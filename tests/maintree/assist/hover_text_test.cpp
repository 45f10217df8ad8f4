#include "assist_fixture.h"

#include "varko/assist/hover_text.h"

#include <gtest/gtest.h>

namespace varko::assist {
namespace {

struct HoverRow {
    const char* name;
    const char* line;
    std::size_t column;
    DocumentType type;
    const char* text;
};

const HoverRow kHovers[] = {
    {"DeclaredNameAndItsSections", "unitName = \"Tank\"", 3, DocumentType::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NameEndStillCounts", "unitName = \"Tank\"", 8, DocumentType::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NumberedFamily", "weaponName3 = laser", 2, DocumentType::Odf, "weaponName3: odf\nKnown in: [craft]"},
    {"CaseIgnored", "MAXHEALTH = 5", 0, DocumentType::Odf, "MAXHEALTH: int\nKnown in: [craft], [building]"},
    {"DeclaredInNoSection", "isAssault = 1", 4, DocumentType::Odf, "isAssault: bool"},
    {"KnownButNotDeclared", "ordName = \"x\"", 2, DocumentType::Odf,
     "ordName: not declared\nKnown in: [weapon]"},
    {"Undeclared", "turboBoost = 1", 5, DocumentType::Odf, "turboBoost: not declared"},
    {"OdfFileFound", "weaponName1 = laser", 16, DocumentType::Odf, "laser.odf: found in /mod/addon"},
    {"OdfFileMissing", "baseClass = plasma", 13, DocumentType::Odf,
     "plasma.odf: not found in the addon directory"},
    {"SodFileFound", "geometryName = tank", 16, DocumentType::Odf, "tank.sod: found in /mod/sod"},
    {"SodnFileMissing", "collisionMesh = ghost_col.sod", 20, DocumentType::Odf,
     "ghost_col.sod: not found in the SOD directory"},
    {"IncludedFile", "#include \"unitbase.odf\"", 12, DocumentType::Odf, "unitbase.odf: found in /mod/addon"},
    {"OutsideNamesAreNotLookedUp", "#include \"../secret.odf\"", 12, DocumentType::Odf,
     "../secret.odf: not found in the addon directory"},
    {"TechTreeRequirement", "tank.odf 1 laser.odf", 12, DocumentType::TechTree,
     "laser.odf: found in /mod/addon"},
    {"TechTreeCount", "tank.odf 1 laser.odf", 9, DocumentType::TechTree, ""},
    {"BetweenNameAndValue", "unitName = \"Tank\"", 9, DocumentType::Odf, ""},
    {"StringValue", "unitName = \"Tank\"", 13, DocumentType::Odf, ""},
    {"Comment", "// unitName = \"Tank\"", 4, DocumentType::Odf, ""},
    {"IndentedLine", "\tunitName = \"Tank\"", 3, DocumentType::Odf, ""},
};

class HoverTable : public ::testing::TestWithParam<HoverRow> {};

TEST_P(HoverTable, TellsWhatIsUnderTheMouse) {
    const HoverRow& row = GetParam();
    const PropertyCatalog catalog = testing::SampleCatalog();
    const HoverSources sources{
        testing::TypesOf(catalog), [&catalog](std::string_view name) { return catalog.SectionsOf(name); },
        testing::FakeGameFiles({"laser.odf", "unitbase.odf", "../secret.odf"}, {"tank.sod"})};
    EXPECT_EQ(HoverText(row.line, row.column, row.type, sources), row.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, HoverTable, ::testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varko::assist
