// The real varko-check --extra on input built to hurt the checks across files: include chains a
// thousand files deep, files that include themselves, includes that are missing, unreadable or not
// files at all, a tech tree of 100,000 entries in one circle, names that differ only in case and
// links that loop. It must finish and say what it found.

#include "child_process.h"
#include "run_expectations.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace run_expectations;

// "f0042.odf"
std::string Numbered(char letter, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%c%04d.odf", letter, number);
    return name;
}

std::string Conflict(int line, const std::string& first, const std::string& second) {
    return ":" + std::to_string(line) + ": Warning - Property 'hp' is set to different values in " + first +
           " (line 1) and " + second + " (line 1); the value depends on the order of the includes\n";
}

class ExtraBadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "hp=int\r\nweapon=odf\r\n");
        m_dir.Touch("app/ignorefiles.txt");
        m_dir.Touch("mod/p.odf", "hp = 1\r\n");
        m_dir.Touch("mod/q.odf", "hp = 2\r\n");
        fs::create_directories(m_dir.path() / "sod");
    }

    // --extra over the addon directory "mod", run in the scratch directory.
    ChildRun Check(std::vector<std::string> args, std::vector<std::string> launcher = {}) const {
        args.insert(args.begin(),
                    {VARKO_CHECK_EXE, "--appdir", P("app"), "--addon", "mod", "--sod", "sod", "--extra"});
        args.insert(args.begin(), launcher.begin(), launcher.end());
        return RunChild(args, {m_dir.path().string(), {}, std::chrono::seconds(120)});
    }
    std::string P(const std::string& relative) const { return (m_dir.path() / relative).string(); }

    // A document whose first include cannot be followed, then two includes that clash, so the
    // checks are seen to go on after the first.
    void WriteDocument(const std::string& firstInclude) const {
        m_dir.Touch("mod/x.odf",
                    "#include \"" + firstInclude + "\"\r\n#include \"p.odf\"\r\n#include \"q.odf\"\r\n");
    }

    ScratchDir m_dir;
};

TEST_F(ExtraBadInputTest, IncludeChainThousandFilesDeep) {
    constexpr int kDepth = 1000;
    for (int i = 0; i < kDepth; ++i) {
        const std::string include = i + 1 < kDepth ? "#include \"" + Numbered('f', i + 1) + "\"\r\n" : "";
        m_dir.Touch("mod/" + Numbered('f', i), include + "hp = " + std::to_string(i) + "\r\n");
    }
    // Each file sets hp over what it includes, so nothing clashes.
    ExpectRun(Check({"mod"}), kClean, "", "No errors found\n", "open chain");

    m_dir.Touch("mod/" + Numbered('f', kDepth - 1), "#include \"f0000.odf\"\r\nhp = 1\r\n");
    std::string chain;
    for (int i = 0; i < kDepth; ++i)
        chain += Numbered('f', i) + " -> ";
    ExpectRun(Check({"mod/f0000.odf"}), kFaults,
              "mod/f0000.odf:1: Error - Include cycle: " + chain + "f0000.odf\n", "1 error(s) found\n",
              "closed");

    const ChildRun all = Check({"--format", "json", "mod"});
    ASSERT_TRUE(Finished(all));
    EXPECT_EQ(all.exitStatus, kFaults);
    const nlohmann::json report = nlohmann::json::parse(all.out);
    ASSERT_EQ(report.size(), static_cast<std::size_t>(kDepth)) << "one cycle per file of the chain";
    const nlohmann::json& middle = report[500];
    EXPECT_EQ(middle["file"], "mod/" + Numbered('f', 500));
    const std::string text = middle["message"];
    EXPECT_TRUE(text.starts_with("Line 1: Error - Include cycle: f0500.odf -> f0501.odf -> "))
        << text.substr(0, 80);
    EXPECT_TRUE(text.ends_with("f0499.odf -> f0500.odf")) << text.substr(text.size() - 80);
}

TEST_F(ExtraBadInputTest, FileThatIncludesItself) {
    const struct {
        const char* name;
        std::string self;
        std::string out;
    } rows[] = {
        {"by its name", "#include \"self.odf\"\r\n",
         "mod/self.odf:1: Error - Include cycle: self.odf -> self.odf\n"},
        {"in another case", "hp = 1\r\n#include \"SELF.ODF\"\r\n",
         "mod/self.odf:2: Error - Include cycle: self.odf -> SELF.ODF\n"},
        {"on two lines", "#include \"self.odf\"\r\n#include \"self.odf\"\r\n",
         "mod/self.odf:1: Error - Include cycle: self.odf -> self.odf\n"
         "mod/self.odf:2: Error - Include cycle: self.odf -> self.odf\n"},
        {"through another file", "#include \"back.odf\"\r\n",
         "mod/self.odf:1: Error - Include cycle: self.odf -> back.odf -> self.odf\n"},
    };
    m_dir.Touch("mod/back.odf", "#include \"self.odf\"\r\n");
    for (const auto& row : rows) {
        m_dir.Touch("mod/self.odf", row.self);
        const auto count = std::count(row.out.begin(), row.out.end(), '\n');
        ExpectRun(Check({"mod/self.odf"}), kFaults, row.out, std::to_string(count) + " error(s) found\n",
                  row.name);
    }
}

TEST_F(ExtraBadInputTest, IncludesThatCannotBeFollowed) {
    fs::create_directories(m_dir.path() / "mod/dir.odf");
    ASSERT_EQ(::mkfifo(P("mod/pipe.odf").c_str(), 0644), 0);
    fs::create_symlink("loop.odf", m_dir.path() / "mod/loop.odf");
    fs::create_symlink("nowhere.odf", m_dir.path() / "mod/broken.odf");
    const std::string clash = "mod/x.odf" + Conflict(3, "p.odf", "q.odf");
    for (const char* include : {"gone.odf", "dir.odf", "pipe.odf", "loop.odf", "broken.odf"}) {
        WriteDocument(include);
        const std::string missing = "mod/x.odf:1: Error - File not found: " + std::string(include) + "\n";
        ExpectRun(Check({"mod/x.odf"}), kFaults, missing + clash, "2 error(s) found\n", include);
        ExpectRun(Check({"--unused", "mod/x.odf"}), kFaults,
                  missing + clash + "mod/x.odf: Note - Not used by any tech tree, include or file name\n",
                  "1 unused file(s)\n2 error(s) found\n", std::string(include) + " --unused");
    }
}

TEST_F(ExtraBadInputTest, UnreadableIncludeIsNamedOnce) {
    if (::geteuid() == 0 && FindOnPath("setpriv").empty())
        GTEST_SKIP() << "running as root without setpriv: no way to make a file unreadable";
    const std::vector<std::string> launcher =
        ::geteuid() == 0 ? std::vector<std::string>{FindOnPath("setpriv"), "--reuid=nobody",
                                                    "--regid=nogroup", "--clear-groups"}
                         : std::vector<std::string>{};
    WriteDocument("locked.odf");
    m_dir.Touch("mod/locked.odf", "hp = 3\r\n");
    const auto everyone = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_dir.path()))
        fs::permissions(entry.path(), everyone);
    fs::permissions(m_dir.path(), everyone);
    fs::permissions(m_dir.path() / "mod/locked.odf", fs::perms::none);
    const std::string clash = "mod/x.odf" + Conflict(3, "p.odf", "q.odf");
    const struct {
        const char* name;
        std::string path;
        std::string err;
    } rows[] = {
        {"included only", "mod/x.odf", "varko-check: Cannot open included file mod/locked.odf\n"},
        {"also checked", "mod", "varko-check: Cannot open file mod/locked.odf\n"},
    };
    for (const auto& row : rows)
        ExpectRun(Check({row.path}, launcher), kTrouble, clash, row.err + "1 error(s) found\n", row.name);
    fs::permissions(m_dir.path() / "mod/locked.odf", fs::perms::owner_all);
}

TEST_F(ExtraBadInputTest, TechTreeOfOneHundredThousandEntriesInOneCircle) {
    constexpr int kEntries = 100000;
    std::string tree;
    std::string names;
    std::string chain;
    for (int i = 0; i < kEntries; ++i) {
        char entry[64];
        std::snprintf(entry, sizeof entry, "e%05d.odf 1 e%05d.odf\r\n", i, (i + 1) % kEntries);
        tree += entry;
        char name[16];
        std::snprintf(name, sizeof name, "e%05d.odf", i);
        names += std::string(name) + "\r\n";
        chain += std::string(name) + " -> ";
    }
    m_dir.Touch("app/ignorefiles.txt", names);
    m_dir.Touch("mod/ring.tt", tree);
    const std::string message = "Error - Tech tree cycle: " + chain + "e00000.odf";
    ExpectRun(Check({"mod/ring.tt"}), kFaults, "mod/ring.tt:1: " + message + "\n", "1 error(s) found\n");

    const ChildRun sarif = Check({"--format", "sarif", "mod/ring.tt"});
    ASSERT_TRUE(Finished(sarif));
    const nlohmann::json log = nlohmann::json::parse(sarif.out);
    ASSERT_EQ(log["runs"][0]["results"].size(), 1u);
    EXPECT_EQ(log["runs"][0]["results"][0]["message"]["text"], message);
}

TEST_F(ExtraBadInputTest, NamesThatDifferOnlyInCase) {
    m_dir.Touch("mod/tank.odf");
    m_dir.Touch("mod/tree.tt", "Tank.odf 0\r\ntank.ODF 0\r\n");
    m_dir.Touch("mod/base.odf", "hp = 3\r\n");
    // The include finds base.odf whatever the case; the second one names a file already expanded.
    m_dir.Touch("mod/doc.odf", "#include \"BASE.odf\"\r\n#include \"p.odf\"\r\n#include \"Base.ODF\"\r\n");
    ExpectRun(
        Check({"--unused", "mod"}), kFaults,
        "mod/doc.odf" + Conflict(2, "BASE.odf", "p.odf") +
            "mod/tree.tt:2: Error - Object tank.ODF is listed more than once in this tech tree; its first "
            "entry is on line 1\n"
            "mod/doc.odf: Note - Not used by any tech tree, include or file name\n"
            "mod/q.odf: Note - Not used by any tech tree, include or file name\n",
        "2 unused file(s)\n2 error(s) found\n");
}

TEST_F(ExtraBadInputTest, LinksThatLoop) {
    fs::create_symlink("b.odf", m_dir.path() / "mod/a.odf");
    fs::create_symlink("a.odf", m_dir.path() / "mod/b.odf");
    fs::create_directory_symlink("..", m_dir.path() / "mod/up");
    WriteDocument("a.odf");
    ExpectRun(Check({"--unused", "mod"}), kTrouble,
              "mod/x.odf:1: Error - File not found: a.odf\nmod/x.odf" + Conflict(3, "p.odf", "q.odf") +
                  "mod/x.odf: Note - Not used by any tech tree, include or file name\n",
              "varko-check: Cannot follow symbolic link mod/a.odf\n"
              "varko-check: Cannot follow symbolic link mod/b.odf\n"
              "1 unused file(s)\n2 error(s) found\n");
}

} // namespace
