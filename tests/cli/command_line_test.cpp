#include "varko/cli/command_line.h"
#include "varko/cli/utf8_text.h"

#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace varko::cli;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "hp=int\r\nmodel=sod\r\nweapon=odf\r\n");
        m_dir.Touch("app/ignorefiles.txt", "builtin.odf\r\n");
        m_dir.Touch("mod/addon/a.odf", "hp = 10\r\nweapon = b\r\n");
        m_dir.Touch("mod/addon/b.odf", "hp = x\r\nmodel = hull\r\n");
        m_dir.Touch("mod/addon/sub/C.ODF", "weapon = builtin\r\nweapon = a b\r\n");
        m_dir.Touch("mod/addon/tree.tt", "a.odf 1 b.odf\r\nzz.odf 0\r\n");
        m_dir.Touch("mod/addon/notes.txt", "not checked");
        m_dir.Touch("mod/sod/hull.sod");
    }

    CliRun Check(std::vector<std::string> args) {
        args.insert(args.begin(), "varko-check");
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        std::ostringstream out, err;
        CliRun run;
        run.status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
    std::string P(const std::string& relative) const { return (m_dir.path() / relative).generic_string(); }
    std::vector<std::string> Dirs() const {
        return {"--appdir", P("app"), "--addon", P("mod/addon"), "--sod", P("mod/sod")};
    }

    ScratchDir m_dir;
};

TEST_F(CommandLineTest, WalksAModAndReportsLikeACompiler) {
    auto args = Dirs();
    args.push_back(P("mod"));
    CliRun run = Check(args);
    EXPECT_EQ(run.status, kExitFaults);
    const std::string mod = P("mod");
    EXPECT_EQ(run.out,
              mod + "/addon/b.odf:1: Error - Property 'hp' is an integer. 'x' is not a valid integer\n" +
                  mod + "/addon/sub/C.ODF:2: Error - property weapon specified more than once!\n" + mod +
                  "/addon/sub/C.ODF:2: Error - Unknown specifications 'b' found at the end of the value. "
                  "Please remove or comment it \"//\"\n" +
                  mod + "/addon/tree.tt:2: ODF file \"zz.odf\" not found.\n");
    EXPECT_EQ(run.err, "4 error(s) found\n");
}

TEST_F(CommandLineTest, JsonReport) {
    auto args = Dirs();
    args.insert(args.end(),
                {"--format", "json", "--jobs", "1", P("mod/addon/tree.tt"), P("mod/addon/b.odf")});
    CliRun run = Check(args);
    EXPECT_EQ(run.status, kExitFaults);
    EXPECT_NE(run.out.find("\"code\": \"M8\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"message\": \"Line 2: ODF file \\\"zz.odf\\\" not found.\""), std::string::npos);
    EXPECT_LT(run.out.find("b.odf\""), run.out.find("tree.tt\"")) << "sorted by path";
}

TEST_F(CommandLineTest, FileNamedDirectlyIsCheckedByItsExactExtension) {
    m_dir.Touch("mod/UPPER.TT", "zz.odf 0\r\n");
    auto args = Dirs();
    args.push_back(P("mod/UPPER.TT"));
    CliRun run = Check(args);
    EXPECT_NE(run.out.find("Unknown command: zz.odf 0"), std::string::npos) << run.out;
}

TEST_F(CommandLineTest, CleanModExitsZero) {
    auto args = Dirs();
    args.push_back(P("mod/addon/a.odf"));
    CliRun run = Check(args);
    EXPECT_EQ(run.status, kExitClean);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "No errors found\n");
}

TEST_F(CommandLineTest, TroubleExitsTwo) {
    const struct {
        const char* name;
        std::vector<std::string> extra;
        const char* message;
    } cases[] = {
        {"missing path", {"/no/such/path.odf"}, "Cannot access /no/such/path.odf"},
        {"no path", {}, "PATH is required"},
        {"bad format", {"--format", "xml", "x.odf"}, "--format"},
        {"bad jobs", {"--jobs", "0", "x.odf"}, "--jobs"},
    };
    for (const auto& c : cases) {
        auto args = Dirs();
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        CliRun run = Check(args);
        EXPECT_EQ(run.status, kExitTrouble) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    }
}

TEST_F(CommandLineTest, EnvironmentErrors) {
    fs::remove(m_dir.path() / "app/declarations.txt");
    CliRun run = Check({"--appdir", P("app"), P("mod/addon/a.odf")});
    EXPECT_EQ(run.status, kExitTrouble);
    EXPECT_EQ(run.err, "varko-check: Cannot access the declarations file \"declarations.txt\"!\n");

    m_dir.Touch("app/declarations.txt", "hp=int\r\n");
    run = Check({"--appdir", P("app"), "--sod", P("nowhere"), P("mod/addon/a.odf")});
    EXPECT_EQ(run.status, kExitTrouble);
    EXPECT_EQ(run.err, "varko-check: Cannot access SOD directory: " + P("nowhere") + "\n");
}

TEST_F(CommandLineTest, DirectoriesComeFromPrefsAndIgnoreFilesMayBeMissing) {
    fs::remove(m_dir.path() / "app/ignorefiles.txt");
    m_dir.Touch("app/prefs.ini", "[Dirs]\r\nAddon=" + P("mod/addon") + "\r\nSod=" + P("mod/sod") + "\r\n");
    CliRun run = Check({"--appdir", P("app"), P("mod/addon/b.odf"), P("mod/addon/sub/C.ODF")});
    EXPECT_EQ(run.status, kExitFaults);
    EXPECT_NE(run.out.find("C.ODF:1: Error - File not found: builtin.odf"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("hull.sod"), std::string::npos) << "SOD directory read from prefs.ini";
}

TEST(ToUtf8, KeepsUtf8AndReadsOtherBytesAsLatin1) {
    EXPECT_EQ(ToUtf8("plain"), "plain");
    EXPECT_EQ(ToUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(ToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80") << "a surrogate is not UTF-8";
}

} // namespace

namespace {

// The sample mod holds a fault of every kind; its report is kept as a golden file.
TEST(SampleMod, ReportMatchesGoldenFile) {
    std::filesystem::current_path(VARKO_SOURCE_DIR);
    const char* argv[] = {"varko-check",    "--appdir", "data",         "--addon",
                          "examples/addon", "--sod",    "examples/sod", "examples"};
    std::ostringstream out, err;
    int status = RunCommandLine(8, argv, out, err);
    std::ifstream golden(std::string(VARKO_SOURCE_DIR) + "/tests/cli/examples.golden", std::ios::binary);
    std::stringstream expected;
    expected << golden.rdbuf();
    EXPECT_EQ(status, kExitFaults);
    EXPECT_EQ(out.str(), expected.str());
    EXPECT_EQ(err.str(), "39 error(s) found\n");
}

TEST(SampleMod, HoldsAFaultOfEveryKind) {
    std::filesystem::current_path(VARKO_SOURCE_DIR);
    const char* argv[] = {"varko-check", "--appdir",     "data",     "--addon", "examples/addon",
                          "--sod",       "examples/sod", "--format", "json",    "examples"};
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(10, argv, out, err), kExitFaults);
    std::set<std::string> codes;
    for (const auto& entry : nlohmann::json::parse(out.str()))
        codes.insert(entry.at("code").get<std::string>());
    std::set<std::string> expected;
    for (int i = 1; i <= 13; ++i)
        expected.insert("M" + std::to_string(i));
    for (int i = 1; i <= 6; ++i)
        expected.insert("T" + std::to_string(i));
    EXPECT_EQ(codes, expected);
}

} // namespace
