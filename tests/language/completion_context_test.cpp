#include "language_fixture.h"

#include "varko/language/completion_context.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

using Target = CompletionTarget;

struct ContextRow {
    const char* name;
    const char* line;
    std::size_t column;
    DocumentKind type;
    CompletionContext context;
};

const ContextRow kContexts[] = {
    {"NameAtLineStart", "unitN", 5, DocumentKind::Odf, {Target::PropertyName, 0, "unitN"}},
    {"EmptyLine", "", 0, DocumentKind::Odf, {Target::PropertyName, 0, ""}},
    {"CaretInsideAName", "unitName = x", 4, DocumentKind::Odf, {Target::PropertyName, 0, "unit"}},
    {"IndentedLine", "  unit", 6, DocumentKind::Odf, {}},
    {"OdfValueJustBegun", "weaponName1 = ", 14, DocumentKind::Odf, {Target::OdfFile, 14, ""}},
    {"OdfValuePrefix", "baseClass = ta", 14, DocumentKind::Odf, {Target::OdfFile, 12, "ta"}},
    {"OdfnValue", "deployedName = t", 16, DocumentKind::Odf, {Target::OdfName, 15, "t"}},
    {"SodValue", "geometryName = ", 15, DocumentKind::Odf, {Target::SodFile, 15, ""}},
    {"SodnValue", "collisionMesh = x", 17, DocumentKind::Odf, {Target::SodName, 16, "x"}},
    {"StringValue", "unitName = ", 11, DocumentKind::Odf, {}},
    {"UndeclaredName", "turboBoost = ", 13, DocumentKind::Odf, {}},
    {"SecondToken", "baseClass = tank ", 17, DocumentKind::Odf, {}},
    {"QuotedValue", "collisionMesh = \"", 17, DocumentKind::Odf, {}},
    {"NoBlankBeforeEquals", "baseClass= ", 11, DocumentKind::Odf, {}},
    {"CaretBeforeTheValue", "baseClass = tank", 10, DocumentKind::Odf, {}},
    {"Comment", "// baseClass = ", 15, DocumentKind::Odf, {}},
    {"TechTree", "tank", 2, DocumentKind::TechTree, {}},
};

class ContextTable : public ::testing::TestWithParam<ContextRow> {};

TEST_P(ContextTable, KnowsWhatTheCaretIsWriting) {
    const PropertyCatalog catalog = testing::SampleCatalog();
    const ContextRow& row = GetParam();
    EXPECT_EQ(CompletionContextAt(row.line, row.column, row.type, testing::TypesOf(catalog)), row.context);
}

INSTANTIATE_TEST_SUITE_P(Lines, ContextTable, ::testing::ValuesIn(kContexts),
                         [](const auto& info) { return std::string(info.param.name); });

struct FileRow {
    const char* name;
    Target target;
    std::vector<CompletionCandidate> candidates;
};

const FileRow kFiles[] = {
    {"OdfValuesLeaveOutTheExtension", Target::OdfFile, {{"laser", "ODF file"}, {"Tank", "ODF file"}}},
    {"OdfnValuesAreWholeNames", Target::OdfName, {{"laser.odf", "ODF file"}, {"Tank.ODF", "ODF file"}}},
    {"SodValuesLeaveOutTheExtension", Target::SodFile, {{"tank", "SOD file"}}},
    {"SodnValuesAreWholeNames", Target::SodName, {{"tank.sod", "SOD file"}, {"tank.msh", "SOD file"}}},
    {"NamesAreNoFiles", Target::PropertyName, {}},
};

class FileCandidateTable : public ::testing::TestWithParam<FileRow> {};

TEST_P(FileCandidateTable, OffersNamesAsTheCheckerExpectsThem) {
    const FileSources files = testing::FakeFileSources({"laser.odf", "Tank.ODF"}, {"tank.sod", "tank.msh"});
    EXPECT_EQ(FileCandidates(GetParam().target, files), GetParam().candidates);
}

INSTANTIATE_TEST_SUITE_P(Files, FileCandidateTable, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varko::language
