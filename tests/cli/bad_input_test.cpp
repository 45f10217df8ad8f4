// Runs the real varko-check on the kind of input modders' tools leave behind: binary files, odd
// line ends, huge lines, files that are not files, links that go nowhere, unreadable paths.

#include "child_process.h"
#include "run_expectations.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace run_expectations;
constexpr const char* kDeclarationsMissing = "Cannot access the declarations file \"declarations.txt\"!";

std::string Summary(int messages) {
    return messages == 0 ? "No errors found\n" : std::to_string(messages) + " error(s) found\n";
}

std::string Trouble(const std::string& text) {
    return "varko-check: " + text + "\n";
}

// The message of a line "badN" in an ODF file, or of "badN.odf 0" in a tech tree.
std::string Fault(const std::string& display, int line) {
    const std::string bad = "bad" + std::to_string(line);
    const std::string text = display.ends_with(".tt") ? "ODF file \"" + bad + ".odf\" not found."
                                                      : "Error - Unknown command: " + bad;
    return display + ":" + std::to_string(line) + ": " + text + "\n";
}

std::string Bytes(std::initializer_list<std::string_view> parts) {
    std::string bytes;
    for (std::string_view part : parts)
        bytes += part;
    return bytes;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    while (bytes.size() < size)
        bytes.push_back(static_cast<char>(byte(random)));
    return bytes;
}

void MakeFifo(const fs::path& path) {
    fs::create_directories(path.parent_path());
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

// Opens the tree to every user, so that an unprivileged child can read what it is meant to read.
void OpenToEveryone(const fs::path& root) {
    const auto readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read;
    const auto traversable = readable | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(root, traversable);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_symlink())
            fs::permissions(entry.path(), entry.is_directory() ? traversable : readable);
    }
}

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteDataFiles();
        m_dir.Touch("addon/a.odf", "maxHealth = 1\r\n");
        m_dir.Touch("sod/hull.sod");
        fs::create_directories(m_dir.path() / "mod");
    }

    void WriteDataFiles() const {
        m_dir.Touch("app/declarations.txt", "maxHealth=int\r\nunitName=string\r\nweaponName=odf\r\n");
        m_dir.Touch("app/ignorefiles.txt");
    }

    std::string P(const std::string& relative) const { return (m_dir.path() / relative).string(); }
    std::vector<std::string> DirOptions() const {
        return {"--appdir", P("app"), "--addon", P("addon"), "--sod", P("sod")};
    }

    // Runs varko-check in the scratch directory, so that mod paths are shown as given ("mod/x.odf").
    ChildRun Run(std::vector<std::string> args, std::vector<std::string> launcher = {}) const {
        args.insert(args.begin(), VARKO_CHECK_EXE);
        args.insert(args.begin(), launcher.begin(), launcher.end());
        return RunChild(args, {m_dir.path().string(), m_childEnvironment});
    }
    std::vector<std::string> WithDirOptions(const std::vector<std::string>& args) const {
        std::vector<std::string> all = DirOptions();
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
    ChildRun Check(const std::vector<std::string>& args) const { return Run(WithDirOptions(args)); }

    // Goes through the probe, which measures the peak resident size of varko-check alone.
    ChildRun CheckMeasured(const std::vector<std::string>& args, long& peakKb) const {
        const std::string report = P("peak.txt");
        ChildRun run = Run(WithDirOptions(args), {VARKO_PEAK_MEMORY_PROBE, report});
        peakKb = -1;
        std::ifstream(report) >> peakKb;
        return run;
    }

    // Root reads any file, so a file made unreadable only stays so for an ordinary user.
    bool CanDropPrivileges() const { return ::geteuid() != 0 || !FindOnPath("setpriv").empty(); }
    ChildRun CheckUnprivileged(const std::vector<std::string>& args) const {
        if (::geteuid() != 0)
            return Check(args);
        return Run(WithDirOptions(args),
                   {FindOnPath("setpriv"), "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
    }

    ScratchDir m_dir;
    std::vector<std::string> m_childEnvironment;
};

TEST_F(BadInputTest, BinaryFileGivesMessagesOrNone) {
    m_dir.Touch("mod/x.odf", RandomBytes(64 * 1024, 7));
    ChildRun text = Check({"mod/x.odf"});
    ASSERT_TRUE(Finished(text));
    const int messages = static_cast<int>(std::count(text.out.begin(), text.out.end(), '\n'));
    EXPECT_EQ(text.err, Summary(messages));
    EXPECT_EQ(text.exitStatus, messages == 0 ? kClean : kFaults);

    ChildRun json = Check({"--format", "json", "mod/x.odf"});
    ASSERT_TRUE(Finished(json));
    nlohmann::json report = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_FALSE(report.is_discarded()) << "the JSON report is valid UTF-8 JSON";
    EXPECT_EQ(static_cast<int>(report.size()), messages);
    EXPECT_EQ(json.exitStatus, text.exitStatus);
}

TEST_F(BadInputTest, NulBytesStayInTheirLine) {
    m_dir.Touch("mod/nul.odf", Bytes({"maxHealth = 12", std::string_view("\0", 1), " 34\r\nturboBoost = 1",
                                      std::string_view("\0", 1), " x\r\nmaxHealth = y\r\n"}));
    m_dir.Touch("mod/nul.tt", Bytes({"a.odf 0", std::string_view("\0", 1), " bad1.odf\r\nbad2.odf 0\r\n"}));
    ChildRun run = Check({"mod/nul.odf", "mod/nul.tt"});
    ExpectRun(
        run, kFaults,
        Bytes({"mod/nul.odf:2: Error - Unknown command: turboBoost = 1", std::string_view("\0", 1), " x\n",
               "mod/nul.odf:3: Error - property maxHealth specified more than once!\n",
               "mod/nul.odf:3: Error - Property 'maxHealth' is an integer. 'y' is not a valid integer\n",
               Fault("mod/nul.tt", 2)}),
        Summary(4));

    ChildRun json = Check({"--format", "json", "mod/nul.odf"});
    ASSERT_TRUE(Finished(json));
    EXPECT_EQ(nlohmann::json::parse(json.out).at(0).at("message"),
              Bytes({"Line 2: Error - Unknown command: turboBoost = 1", std::string_view("\0", 1), " x"}));
}

// The bound is on what the program holds at once: a copy of the file per line or work that grows
// with the square of the line would exceed it. A sanitizer's quarantine of freed blocks is turned off,
// since it keeps every temporary alive.
TEST_F(BadInputTest, TenMegabyteLineIsCheckedInBoundedMemory) {
    const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
    m_childEnvironment.push_back("ASAN_OPTIONS=" + std::string(sanitizerOptions ? sanitizerOptions : "") +
                                 ":quarantine_size_mb=0");
    const std::string huge(10 * 1024 * 1024, 'y');
    std::string words; // five million words on one line
    for (int i = 0; i < 5 * 1024 * 1024; ++i)
        words += " 7";
    const struct {
        const char* file;
        std::string content;
        std::string expected;
        int messages;
    } cases[] = {
        {"mod/huge.odf", "turboBoost = " + huge + "\r\nbad2",
         "mod/huge.odf:1: Error - Unknown command: turboBoost = " + huge + "\n" + Fault("mod/huge.odf", 2),
         2},
        {"mod/words.odf", "maxHealth = 7" + words + "\r\nbad2",
         "mod/words.odf:1: Error - Unknown specifications '7' found at the end of the value. Please remove "
         "or "
         "comment it \"//\"\n" +
             Fault("mod/words.odf", 2),
         2},
        {"mod/huge.tt", "a.odf 1 " + huge + ".odf\r\nbad2.odf 0",
         "mod/huge.tt:1: ODF file \"" + huge + ".odf\" not found.\nmod/huge.tt:1: Error - Filename " + huge +
             ".odf is too long. ODF filenames in TT documents have a 8.3 character length limit.\n" +
             Fault("mod/huge.tt", 2),
         3},
    };
    for (const auto& c : cases) {
        m_dir.Touch(c.file, c.content);
        long peakKb = 0;
        ChildRun run = CheckMeasured({c.file}, peakKb);
        ASSERT_TRUE(Finished(run)) << c.file;
        EXPECT_EQ(run.exitStatus, kFaults) << c.file;
        EXPECT_TRUE(run.out == c.expected) << c.file << ": " << run.out.size() << " bytes of output";
        EXPECT_EQ(run.err, Summary(c.messages)) << c.file;
        const long boundKb = static_cast<long>(10 * c.content.size() / 1024) + 64 * 1024;
        EXPECT_GT(peakKb, 0) << c.file << ": the probe reports a size";
        EXPECT_LT(peakKb, boundKb) << c.file << ": peak resident size in KB";
    }
}

TEST_F(BadInputTest, EveryKindOfLineEndCountsOneLine) {
    const struct {
        const char* name;
        const char* file;
        std::string bytes;
        std::vector<int> faultLines;
    } cases[] = {
        {"LF", "mod/lf.odf", "// 1\nbad2\n// 3\nbad4\n", {2, 4}},
        {"CR LF", "mod/crlf.odf", "bad1\r\n// 2\r\nbad3\r\n", {1, 3}},
        {"CR only", "mod/cr.odf", "// 1\r// 2\rbad3\r\rbad5", {3, 5}},
        {"mixed", "mod/mixed.odf", "// 1\r\n// 2\rbad3\n\n// 5\r\rbad7\r\n", {3, 7}},
        {"LF CR is two ends", "mod/lfcr.odf", "bad1\n\rbad3", {1, 3}},
        {"CR CR LF is two ends", "mod/crcrlf.odf", "bad1\r\r\nbad3", {1, 3}},
        {"mixed in a tech tree", "mod/mixed.tt", "\r\n\rbad3.odf 0\n\nbad5.odf 0\r", {3, 5}},
    };
    for (const auto& c : cases) {
        m_dir.Touch(c.file, c.bytes);
        ChildRun run = Check({c.file});
        ASSERT_TRUE(Finished(run)) << c.name;
        std::string expected;
        for (int line : c.faultLines)
            expected += Fault(c.file, line);
        EXPECT_EQ(run.out, expected) << c.name;
        EXPECT_EQ(run.exitStatus, kFaults) << c.name;
    }
}

TEST_F(BadInputTest, EmptyFilesAreClean) {
    m_dir.Touch("mod/empty.odf");
    m_dir.Touch("mod/empty.tt");
    ChildRun run = Check({"mod"});
    ExpectRun(run, kClean, "", Summary(0));
}

// A data file that is a directory or a pipe is never read: declarations.txt then counts as missing,
// ignorefiles.txt as empty, and prefs.ini as holding no directories.
TEST_F(BadInputTest, DataFileThatIsNotAFile) {
    m_dir.Touch("mod/x.odf", "maxHealth = q\r\n");
    const std::string fault =
        "mod/x.odf:1: Error - Property 'maxHealth' is an integer. 'q' is not a valid integer\n";
    const struct {
        const char* file;
        bool pipe;
        bool dirOptions;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"declarations.txt", false, true, kTrouble, "", Trouble(kDeclarationsMissing)},
        {"declarations.txt", true, true, kTrouble, "", Trouble(kDeclarationsMissing)},
        {"ignorefiles.txt", false, true, kFaults, fault, Summary(1)},
        {"ignorefiles.txt", true, true, kFaults, fault, Summary(1)},
        {"prefs.ini", false, false, kFaults, fault, Summary(1)},
        {"prefs.ini", true, false, kFaults, fault, Summary(1)},
    };
    for (const auto& c : cases) {
        const fs::path file = m_dir.path() / "app" / c.file;
        const std::string name = std::string(c.file) + (c.pipe ? " as a pipe" : " as a directory");
        fs::remove_all(file);
        if (c.pipe)
            MakeFifo(file);
        else
            fs::create_directory(file);
        ChildRun run = c.dirOptions ? Check({"mod/x.odf"}) : Run({"--appdir", P("app"), "mod/x.odf"});
        ExpectRun(run, c.status, c.out, c.err, name);
        fs::remove_all(file);
        WriteDataFiles();
    }
}

TEST_F(BadInputTest, DirectoryNamedLikeAModFileIsWalkedNotRead) {
    m_dir.Touch("mod/x.odf/bad1.tt", "bad1.odf 0\r\n");
    ChildRun run = Check({"mod"});
    ExpectRun(run, kFaults, "mod/x.odf/bad1.tt:1: ODF file \"bad1.odf\" not found.\n", Summary(1));
}

TEST_F(BadInputTest, GameDirectoryThatCannotBeAccessed) {
    m_dir.Touch("mod/x.odf", "bad1\r\n");
    const std::string app = P("app"), addon = P("addon"), sod = P("sod");
    const std::string file = P("addon/a.odf"), nowhere = P("nowhere");
    const struct {
        const char* name;
        std::string prefs;
        std::vector<std::string> options;
        std::string error;
    } cases[] = {
        {"--addon is a file", "", {"--addon", file, "--sod", sod}, "Cannot access ODF directory: " + file},
        {"--sod is a file", "", {"--addon", addon, "--sod", file}, "Cannot access SOD directory: " + file},
        {"--addon missing",
         "",
         {"--addon", nowhere, "--sod", sod},
         "Cannot access ODF directory: " + nowhere},
        {"--sod missing",
         "",
         {"--addon", addon, "--sod", nowhere},
         "Cannot access SOD directory: " + nowhere},
        {"prefs Addon missing",
         "[Dirs]\r\nAddon=" + nowhere + "\r\nSod=" + sod + "\r\n",
         {},
         "Cannot access ODF directory: " + nowhere},
        {"prefs Sod missing",
         "[Dirs]\r\nAddon=" + addon + "\r\nSod=" + nowhere + "\r\n",
         {},
         "Cannot access SOD directory: " + nowhere},
    };
    for (const auto& c : cases) {
        m_dir.Touch("app/prefs.ini", c.prefs);
        std::vector<std::string> args{"--appdir", app};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("mod/x.odf");
        ChildRun run = Run(args);
        ExpectRun(run, kTrouble, "", Trouble(c.error), c.name);
    }
}

TEST_F(BadInputTest, UnreadablePathIsReportedAndTheOthersChecked) {
    if (!CanDropPrivileges())
        GTEST_SKIP() << "running as root without setpriv: no way to make a path unreadable";
    const struct {
        const char* name;
        std::vector<std::string> files;
        std::string locked;
        std::string out;
        std::string error;
    } cases[] = {
        {"file",
         {"files/a.odf", "files/locked.odf", "files/z.odf"},
         "files/locked.odf",
         Fault("files/a.odf", 1) + Fault("files/z.odf", 1),
         "Cannot open file files/locked.odf"},
        {"subdirectory",
         {"dirs/a/bad1.odf", "dirs/locked/bad1.odf", "dirs/z/bad1.tt"},
         "dirs/locked",
         Fault("dirs/a/bad1.odf", 1) + Fault("dirs/z/bad1.tt", 1),
         "Cannot read directory dirs/locked"},
    };
    for (const auto& c : cases) {
        for (const std::string& file : c.files)
            m_dir.Touch(file, file.ends_with(".tt") ? "bad1.odf 0\r\n" : "bad1\r\n");
        OpenToEveryone(m_dir.path());
        fs::permissions(m_dir.path() / c.locked, fs::perms::none);
        ChildRun run = CheckUnprivileged({c.files.front().substr(0, c.files.front().find('/'))});
        fs::permissions(m_dir.path() / c.locked, fs::perms::owner_all);
        ExpectRun(run, kTrouble, c.out, Trouble(c.error) + Summary(2), c.name);
    }
}

TEST_F(BadInputTest, LinksInAWalkNeverLoopAndBrokenOnesAreReported) {
    m_dir.Touch("mod/a.odf", "bad1\r\n");
    m_dir.Touch("elsewhere/target.tt", "bad1.odf 0\r\n");
    fs::create_directory_symlink("..", m_dir.path() / "mod/loop");
    fs::create_directory_symlink("../elsewhere", m_dir.path() / "mod/elsewhere.odf");
    fs::create_symlink("self.odf", m_dir.path() / "mod/self.odf");
    fs::create_symlink("nowhere", m_dir.path() / "mod/gone.odf");
    fs::create_symlink("../elsewhere/target.tt", m_dir.path() / "mod/linked.tt");
    ChildRun run = Check({"mod"});
    ExpectRun(run, kTrouble, Fault("mod/a.odf", 1) + Fault("mod/linked.tt", 1),
              Trouble("Cannot follow symbolic link mod/gone.odf") +
                  Trouble("Cannot follow symbolic link mod/self.odf") + Summary(2));
}

TEST_F(BadInputTest, NamedPathThatCannotBeCheckedLeavesTheOthersChecked) {
    m_dir.Touch("mod/a.odf", "bad1\r\n");
    m_dir.Touch("mod/z.odf", "bad1\r\n");
    MakeFifo(m_dir.path() / "mod/pipe.odf");
    fs::create_symlink("self.odf", m_dir.path() / "mod/self.odf");
    fs::create_symlink("nowhere", m_dir.path() / "mod/gone.odf");
    const struct {
        const char* path;
        std::string error;
    } cases[] = {
        {"mod/pipe.odf", "Cannot check mod/pipe.odf: not a regular file"},
        {"/dev/zero", "Cannot check /dev/zero: not a regular file"},
        {"/dev/null", "Cannot check /dev/null: not a regular file"},
        {"mod/missing.odf", "Cannot access mod/missing.odf"},
        {"mod/self.odf", "Cannot access mod/self.odf"},
        {"mod/gone.odf", "Cannot access mod/gone.odf"},
    };
    for (const auto& c : cases) {
        ChildRun run = Check({"mod/a.odf", c.path, "mod/z.odf"});
        ExpectRun(run, kTrouble, Fault("mod/a.odf", 1) + Fault("mod/z.odf", 1), Trouble(c.error) + Summary(2),
                  c.path);
    }
}

TEST_F(BadInputTest, PipeInAWalkIsReportedNotOpened) {
    m_dir.Touch("mod/a.odf", "bad1\r\n");
    MakeFifo(m_dir.path() / "mod/pipe.odf");
    MakeFifo(m_dir.path() / "mod/pipe.txt");
    ChildRun run = Check({"mod"});
    ExpectRun(run, kTrouble, Fault("mod/a.odf", 1),
              Trouble("Cannot check mod/pipe.odf: not a regular file") + Summary(1));
}

TEST_F(BadInputTest, GarbagePrefsFile) {
    m_dir.Touch("mod/x.odf", "weaponName = a\r\nbad2\r\n");
    m_dir.Touch("app/prefs.ini", RandomBytes(32 * 1024, 11) +
                                     "\r\nno equals sign here\r\n[Dirs\r\n=\r\n[Dirs]\r\nAddon\r\n" +
                                     std::string(4 * 1024 * 1024, 'k') + "\r\nSod\r\n");
    ChildRun given = Check({"mod/x.odf"});
    ExpectRun(given, kFaults, Fault("mod/x.odf", 2), Summary(1));

    // Without an Addon key, the addon directory is the program directory, which has no a.odf.
    ChildRun fromPrefs = Run({"--appdir", P("app"), "--sod", P("sod"), "mod/x.odf"});
    ExpectRun(fromPrefs, kFaults, "mod/x.odf:1: Error - File not found: a.odf\n" + Fault("mod/x.odf", 2),
              Summary(2));
}

// Names without trailing digits, since a declaration's trailing digits stand for any number.
std::string GeneratedName(int index) {
    std::string name = "gen";
    for (int i = 0; i < 4; ++i, index /= 26)
        name.push_back(static_cast<char>('a' + index % 26));
    return name;
}

TEST_F(BadInputTest, HundredThousandDeclarations) {
    constexpr int kCount = 100'000;
    std::string declarations;
    for (int i = 0; i < kCount; ++i)
        declarations += GeneratedName(i) + (i % 2 == 0 ? "=int\r\n" : "=string\r\n");
    m_dir.Touch("app/declarations.txt", declarations);
    const std::string last = GeneratedName(kCount - 1), beforeLast = GeneratedName(kCount - 2);
    m_dir.Touch("mod/x.odf", last + " = \"fine\"\r\n" + beforeLast + " = 12\r\n" + "genzzzz = 1\r\n" + last +
                                 " = bare\r\n");
    ChildRun run = Check({"mod/x.odf"});
    ExpectRun(run, kFaults,
              "mod/x.odf:3: Error - Unknown command: genzzzz = 1\n"
              "mod/x.odf:4: Error - property " +
                  last + " specified more than once!\nmod/x.odf:4: Error - Property '" + last +
                  "' is a string. Quotation marks \"\" are needed\n",
              Summary(3));
}

} // namespace
