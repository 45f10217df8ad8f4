#include "language_fixture.h"

#include "test_dirs.h"
#include "varko/language/document_check.h"
#include "varko/language/file_sources.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

using testing::PrintTo;

using compiler::Finding;

// A program directory and one addon and one SOD directory, as the editor points at them.
class EnvironmentSources : public ::testing::Test {
protected:
    EnvironmentSources() {
        write("app/declarations.txt", "baseClass=odf\nunitName=string\n");
        write("app/ignorefiles.txt", "player.odf\n");
        write("addon/tank.odf", "");
        write("addon/notes.txt", "");
        write("sod/tank.sod", "");
        EXPECT_TRUE(m_environment.SetGameDirs({path("addon")}, {path("sod")}).empty());
        EXPECT_TRUE(m_environment.Refresh().empty());
    }
    void write(const char* name, const char* text) { m_dir.Touch(name, text); }
    std::string path(const char* name) const { return (m_dir.path() / name).string(); }

    ScratchDir m_dir;
    compiler::CheckEnvironment m_environment{path("app")};
};

TEST_F(EnvironmentSources, FindFilesInTheDirectoriesTheCheckerSearches) {
    const FileSources files = FileSourcesOf(m_environment);
    EXPECT_EQ(files.odfNames(), std::vector<std::string>{"tank.odf"});
    EXPECT_EQ(files.sodNames(), std::vector<std::string>{"tank.sod"});
    EXPECT_EQ(files.findOdfPath("TANK.odf"), path("addon/tank.odf"));
    EXPECT_EQ(files.findOdfPath("ghost.odf"), std::nullopt);
    EXPECT_EQ(files.findSodPath("Tank.SOD"), path("sod/tank.sod"));
    EXPECT_EQ(files.findSodPath("tank.odf"), std::nullopt);
    EXPECT_TRUE(files.builtIn("PLAYER.odf"));
    EXPECT_FALSE(files.builtIn("tank.odf"));
}

struct CheckRow {
    const char* name;
    const char* path;
    textrules::LineList lines;
    std::vector<std::pair<int, std::string>> found; // line, code
};

const CheckRow kChecks[] = {
    {"OdfDocument",
     "unit.odf",
     {"baseClass = ghost", "unitName = x", "baseClass = tank"},
     {{1, "M3"}, {2, "M10"}, {3, "M2"}}},
    {"BuiltInObject", "unit.odf", {"baseClass = player"}, {}},
    {"TechTree", "tree.tt", {"tank.odf 0", "ghost.odf 1 tank.odf"}, {{2, "T4"}}},
    {"TechTreeNeedsTheExactExtension", "tree.TT", {"tank.odf 0"}, {{1, "M1"}}},
};

class CheckLinesTable : public EnvironmentSources, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(CheckLinesTable, ChecksAsTheDocumentsPathSays) {
    const std::atomic<bool> stop = false;
    const CheckOutcome outcome = CheckLines(GetParam().lines, GetParam().path, m_environment, stop);
    EXPECT_EQ(outcome.failure, "");
    std::vector<std::pair<int, std::string>> found;
    for (const Finding& finding : outcome.findings)
        found.emplace_back(finding.line, finding.code);
    EXPECT_EQ(found, GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Documents, CheckLinesTable, ::testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckLines, WithoutDeclarationsAnOdfDocumentFailsWithTheirText) {
    ScratchDir empty;
    compiler::CheckEnvironment environment(empty.path().string());
    environment.Refresh();
    const std::atomic<bool> stop = false;
    const CheckOutcome outcome = CheckLines({"baseClass = ghost"}, "unit.odf", environment, stop);
    EXPECT_TRUE(outcome.findings.empty());
    EXPECT_EQ(outcome.failure, "Cannot access the declarations file \"declarations.txt\"!");
}

} // namespace
} // namespace varko::language
