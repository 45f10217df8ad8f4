#include "language_fixture.h"

#include "varko/language/file_reference.h"
#include "varko/language/file_target.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

using testing::FakeFileSources;
using testing::SampleCatalog;
using testing::TypesOf;

struct TargetRow {
    const char* name;
    const char* line;
    std::optional<std::size_t> column;
    DocumentKind type;
    std::optional<std::string> path;
    const char* status;
};

const TargetRow kTargets[] = {
    {"IncludeQuoted", "#include \"unitbase.odf\"", 12, DocumentKind::Odf, "/mod/addon/unitbase.odf", ""},
    {"IncludeCaretAfterClosingQuote", "#include \"unitbase.odf\"", 23, DocumentKind::Odf,
     "/mod/addon/unitbase.odf", ""},
    {"IncludeUnquoted", "#include laser.odf", 10, DocumentKind::Odf, "/mod/addon/laser.odf", ""},
    {"IncludeMissing", "#include \"ghost.odf\"", 12, DocumentKind::Odf, std::nullopt,
     "File not found: ghost.odf"},
    {"OdfValueGetsExtension", "weaponName1 = laser", 15, DocumentKind::Odf, "/mod/addon/laser.odf", ""},
    {"OdfValueCaseIgnored", "baseClass = TANK", 12, DocumentKind::Odf, "/mod/addon/tank.odf", ""},
    {"OdfValueMissing", "weaponName2 = plasma", 15, DocumentKind::Odf, std::nullopt,
     "File not found: plasma.odf"},
    {"OdfValueFromTheNameColumn", "weaponName1 = laser", 3, DocumentKind::Odf, "/mod/addon/laser.odf", ""},
    {"OdfnValueAsWritten", "deployedName = tank.odf", 16, DocumentKind::Odf, "/mod/addon/tank.odf", ""},
    {"OdfnValueWithoutExtension", "deployedName = tank", 16, DocumentKind::Odf, std::nullopt,
     "File not found: tank"},
    {"TechTreeObject", "factory.odf 0", 2, DocumentKind::TechTree, "/mod/addon/factory.odf", ""},
    {"TechTreeRequirement", "tank.odf 1 factory.odf", 13, DocumentKind::TechTree, "/mod/addon/factory.odf",
     ""},
    {"TechTreeCommaSeparated", "crate.odf, 1, LASER.ODF", 15, DocumentKind::TechTree, "/mod/addon/laser.odf",
     ""},
    {"TechTreeCountGivesTheObject", "tank.odf 1 factory.odf", 9, DocumentKind::TechTree,
     "/mod/addon/tank.odf", ""},
    {"SlashRefused", "#include \"../secret.odf\"", 12, DocumentKind::Odf, std::nullopt,
     "Not a file of the addon directory: ../secret.odf"},
    {"SubdirectoryRefused", "deployedName = sub/tank.odf", 16, DocumentKind::Odf, std::nullopt,
     "Not a file of the addon directory: sub/tank.odf"},
    {"DotDotRequirementRefused", "..tank.odf 0", 3, DocumentKind::TechTree, std::nullopt,
     "Not a file of the addon directory: ..tank.odf"},
    {"SodValueDoesNotOpen", "geometryName = tank", 16, DocumentKind::Odf, std::nullopt,
     "Only ODF files open in the editor: tank.sod"},
    {"StringValueNamesNoFile", "unitName = \"tank\"", 13, DocumentKind::Odf, std::nullopt,
     "No file name here"},
    {"CommentNamesNoFile", "// baseClass = tank", 16, DocumentKind::Odf, std::nullopt, "No file name here"},
    {"IndentedLineIsNotChecked", "  baseClass = tank", 15, DocumentKind::Odf, std::nullopt,
     "No file name here"},
    {"EmptyOdfValue", "baseClass = ", 12, DocumentKind::Odf, std::nullopt, "No file name here"},
    {"TechTreeComment", "// tank.odf 0", 4, DocumentKind::TechTree, std::nullopt, "No file name here"},
};

class FileTargetTable : public ::testing::TestWithParam<TargetRow> {};

TEST_P(FileTargetTable, FindsTheFileAsTheCheckerNamesIt) {
    const TargetRow& row = GetParam();
    const PropertyCatalog catalog = SampleCatalog();
    const FileSources files = FakeFileSources({"laser.odf", "unitbase.odf", "tank.odf", "factory.odf",
                                               "../secret.odf", "sub/tank.odf", "..tank.odf"},
                                              {"tank.sod"});
    const FileTarget target = FileTargetAt(row.line, row.column, row.type, TypesOf(catalog), files);
    EXPECT_EQ(target.path, row.path);
    EXPECT_EQ(target.status, row.status);
}

INSTANTIATE_TEST_SUITE_P(GoToFile, FileTargetTable, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

struct SpanRow {
    const char* name;
    const char* line;
    DocumentKind type;
    std::vector<FileReference> references;
};

const SpanRow kSpans[] = {
    {"IncludeInsideQuotes",
     "#include \"unitbase.odf\"",
     DocumentKind::Odf,
     {{"unitbase.odf", "unitbase.odf", "", FileKind::Odf, 10, 12, true}}},
    {"UnclosedQuoteDropsTheLastCharacter",
     "#include \"unit",
     DocumentKind::Odf,
     {{"uni", "uni", "", FileKind::Odf, 10, 3, true}}},
    {"OdfValueBeforeAComment",
     "weaponName1 = laser // main gun",
     DocumentKind::Odf,
     {{"laser.odf", "laser", ".odf", FileKind::Odf, 14, 5, false}}},
    {"SodValue",
     "geometryName = tank",
     DocumentKind::Odf,
     {{"tank.sod", "tank", ".sod", FileKind::Sod, 15, 4, false}}},
    {"SodnValue",
     "lodMesh12 = tank_lod.sod",
     DocumentKind::Odf,
     {{"tank_lod.sod", "tank_lod.sod", "", FileKind::Sod, 12, 12, false}}},
    {"QuotedSodnValueIsNoFile", "collisionMesh = \"none\"", DocumentKind::Odf, {}},
    {"UndeclaredProperty", "turboBoost = laser", DocumentKind::Odf, {}},
    {"IncludeNeedsOneBlank", "#include\t\"unitbase.odf\"", DocumentKind::Odf, {}},
    {"TechTreeSkipsTheCount",
     "crate.odf, 1, PLAYER.ODF",
     DocumentKind::TechTree,
     {{"crate.odf", "crate.odf", "", FileKind::Odf, 0, 9, false},
      {"PLAYER.ODF", "PLAYER.ODF", "", FileKind::Odf, 14, 10, false}}},
};

class ReferenceSpanTable : public ::testing::TestWithParam<SpanRow> {};

TEST_P(ReferenceSpanTable, PlacesEachWrittenName) {
    const PropertyCatalog catalog = SampleCatalog();
    EXPECT_EQ(FileReferencesOnLine(GetParam().line, GetParam().type, TypesOf(catalog)),
              GetParam().references);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReferenceSpanTable, ::testing::ValuesIn(kSpans),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varko::language
