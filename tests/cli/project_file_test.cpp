// varko.ini: what each line of a project file means or why it is refused, how its values rank
// beside the options, and the real varko-check finding and obeying it.
#include "child_process.h"
#include "test_dirs.h"
#include "varko/cli/check_settings.h"
#include "varko/compiler/project_file.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using varko::compiler::ProjectFile;
using varko::compiler::ReadProjectFile;

namespace {

struct ProjectRow {
    const char* name;
    std::string text;
    std::string error;              // after "<path>:", empty when the file is good
    std::vector<std::string> addon; // relative to the scratch directory
    std::optional<bool> extra;
    std::vector<std::string> ignore;
    std::vector<std::string> ignorePaths;
};

const ProjectRow kProjects[] = {
    {"Empty", "", "", {}, std::nullopt, {}, {}},
    {"EveryKey",
     "; a mod over the base game\r\n[Dirs]\r\nAddon=addon;../base/addon\r\nSod = sod\r\nAppDir=tools\r\n"
     "[Checking]\r\nExtraChecks=1\r\nIgnore=M7, X4\r\nIgnorePath=old/*.odf;test/*\r\n",
     "",
     {"mod/addon", "base/addon"},
     true,
     {"M7", "X4"},
     {"old/*.odf", "test/*"}},
    {"NamesIgnoreCase", "[dirs]\nADDON=addon\n[CHECKING]\nextrachecks=0\n", "", {"mod/addon"}, false, {}, {}},
    {"UnknownSection",
     "[Dirs]\nAddon=addon\n[Colours]\n",
     "3: unknown section [Colours]",
     {},
     std::nullopt,
     {},
     {}},
    {"UnknownKey",
     "[Checking]\nExtraCheck=1\n",
     "2: unknown key ExtraCheck in [Checking]",
     {},
     std::nullopt,
     {},
     {}},
    {"MissingDirectory",
     "[Dirs]\nAddon=addon;nowhere\n",
     "2: directory does not exist: nowhere",
     {},
     std::nullopt,
     {},
     {}},
    {"EntryBeforeASection", "Addon=addon\n", "1: entry outside a section", {}, std::nullopt, {}, {}},
    {"NotAnEntry",
     "[Dirs]\nAddon addon\n",
     "2: not a section header or a name=value entry",
     {},
     std::nullopt,
     {},
     {}},
    {"UnknownCode", "[Checking]\nIgnore=M1,Q9\n", "2: unknown code in Ignore: Q9", {}, std::nullopt, {}, {}},
    {"FlagNotABoolean",
     "[Checking]\nExtraChecks=yes\n",
     "2: ExtraChecks is 0 or 1",
     {},
     std::nullopt,
     {},
     {}},
    {"TwoAppDirs", "[Dirs]\nAppDir=addon;sod\n", "2: AppDir names one directory", {}, std::nullopt, {}, {}},
};

class ProjectTable : public ::testing::TestWithParam<ProjectRow> {};

TEST_P(ProjectTable, ReadsOrNamesTheLine) {
    const ProjectRow& row = GetParam();
    ScratchDir dir;
    for (const char* sub : {"mod/addon", "mod/sod", "mod/tools", "base/addon"})
        fs::create_directories(dir.path() / sub);
    const fs::path file = dir.Touch("mod/varko.ini", row.text);
    const varko::compiler::ProjectRead read = ReadProjectFile(file.string());
    if (!row.error.empty()) {
        EXPECT_EQ(read.error, file.string() + ":" + row.error);
        EXPECT_FALSE(read.project);
        return;
    }
    ASSERT_TRUE(read.project) << read.error;
    std::vector<std::string> addon;
    for (const std::string& path : read.project->addonDirs)
        addon.push_back(fs::relative(path, dir.path()).string());
    EXPECT_EQ(addon, row.addon);
    EXPECT_EQ(read.project->extraChecks, row.extra);
    EXPECT_EQ(read.project->ignoreCodes, row.ignore);
    EXPECT_EQ(read.project->ignorePaths, row.ignorePaths);
}

INSTANTIATE_TEST_SUITE_P(ProjectFile, ProjectTable, ::testing::ValuesIn(kProjects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectFile, AnUnreadableFileIsNamed) {
    EXPECT_EQ(ReadProjectFile("/nonexistent/varko.ini").error,
              "/nonexistent/varko.ini: cannot read the project file");
}

TEST(ProjectFile, TheNearestFileAtOrAboveAPathIsFound) {
    ScratchDir dir;
    const fs::path top = dir.Touch("varko.ini");
    const fs::path inner = dir.Touch("mod/varko.ini");
    dir.Touch("mod/addon/a.odf");
    EXPECT_EQ(varko::compiler::FindProjectFile((dir.path() / "mod/addon/a.odf").string()), inner.string());
    EXPECT_EQ(varko::compiler::FindProjectFile((dir.path() / "mod").string()), inner.string());
    EXPECT_EQ(varko::compiler::FindProjectFile(dir.path().string()), top.string());
}

TEST(ProjectFile, OptionsWinOverTheFileAndPrefsIniFillsTheRest) {
    ProjectFile project;
    project.addonDirs = {"/p/addon"};
    project.appDir = "/p/tools";
    project.extraChecks = true;
    project.ignoreCodes = {"M1"};
    varko::cli::SettingsOverrides overrides;
    overrides.sodDirs = {"/o/sod"};
    overrides.ignoreCodes = {"T4"};
    varko::cli::CheckSettings settings = varko::cli::ResolveCheckSettings(overrides, &project, "/prog/");
    EXPECT_EQ(settings.environment.appDir, "/p/tools/");
    EXPECT_EQ(settings.environment.addonDirs, std::vector<std::string>{"/p/addon"});
    EXPECT_EQ(settings.environment.sodDirs, std::vector<std::string>{"/o/sod"});
    EXPECT_TRUE(settings.extraChecks);
    EXPECT_EQ(settings.ignoreCodes, (std::vector<std::string>{"M1", "T4"}));
    overrides.addonDirs = {"/o/addon"};
    overrides.appDir = "/o/app";
    overrides.extraChecks = false;
    settings = varko::cli::ResolveCheckSettings(overrides, &project, "/prog/");
    EXPECT_EQ(settings.environment.appDir, "/o/app/");
    EXPECT_EQ(settings.environment.addonDirs, std::vector<std::string>{"/o/addon"});
    EXPECT_FALSE(settings.extraChecks);
    settings = varko::cli::ResolveCheckSettings({}, nullptr, "/prog/");
    EXPECT_EQ(settings.environment.appDir, "/prog/");
    EXPECT_TRUE(settings.environment.addonDirs.empty()); // left to prefs.ini
}

// A mod whose varko.ini names its directories and leaves out one file and one code.
class ProjectRun : public ::testing::Test {
protected:
    ProjectRun() {
        m_dir.Touch("mod/addon/a.odf", "nonsense\r\n#include \"b.odf\"\r\n");
        m_dir.Touch("mod/addon/old/x.odf", "more nonsense\r\n");
        m_dir.Touch("mod/sod/m.sod");
    }
    ChildRun Check(std::vector<std::string> args) const {
        args.insert(args.begin(), VARKO_CHECK_EXE);
        return RunChild(args, {m_dir.path().string(), {}, std::chrono::seconds(60)});
    }
    ScratchDir m_dir;
};

TEST_F(ProjectRun, VarkoCheckReadsTheNearestProjectFile) {
    m_dir.Touch("mod/varko.ini", "[Dirs]\nAddon=addon\nSod=sod\n[Checking]\nIgnore=M1\nIgnorePath=old/*\n");
    const ChildRun run = Check({"mod/addon"});
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    EXPECT_EQ(run.out, "mod/addon/a.odf:2: Error - File not found: b.odf\n");
    // An option wins: with --addon naming the old directory, b.odf is still missing there.
    m_dir.Touch("mod/addon/old/b.odf");
    EXPECT_EQ(Check({"--addon", "mod/addon/old", "mod/addon/a.odf"}).out, "");
}

TEST_F(ProjectRun, ABrokenProjectFileStopsTheRunNamingItsLine) {
    const fs::path ini = m_dir.Touch("mod/other.ini", "[Dirs]\nAddon=addon\nSod=nowhere\n");
    const ChildRun run = Check({"--project", "mod/other.ini", "mod/addon"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "varko-check: " + ini.string() + ":3: directory does not exist: nowhere\n");
    EXPECT_EQ(run.out, "");
}

} // namespace
