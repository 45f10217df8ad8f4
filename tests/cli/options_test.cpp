// The real varko-check with every report format and the baseline, ignore and directory options,
// on a mod whose file names hold blanks, colons, commas, '%' and bytes that are not ASCII.

#include "child_process.h"
#include "report_decoding.h"
#include "test_dirs.h"
#include "varko/cli/utf8_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr int kClean = 0;
constexpr int kFaults = 1;
constexpr int kTrouble = 2;

// What every format must agree on: the file as shown, the line, and the message without "Line N: ".
using Seen = std::tuple<std::string, int, std::string>;

const char* const kAwkwardNames[] = {"plain.odf", "my mod/a b.odf", "c:o,l%on.odf", "caf\xC3\xA9.odf",
                                     "\xE9t\xE9.odf"};
const char* const kFaultyOdf = "hp = x\r\nweapon = gone\r\nhp = 1\r\n";

// The bytes as a report in UTF-8 shows them.
std::string AsUtf8(const std::string& bytes) {
    return varko::cli::ToUtf8(bytes);
}

std::vector<std::smatch> Matches(const std::string& out, const std::regex& pattern) {
    std::vector<std::smatch> matches;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), pattern); it != std::sregex_iterator(); ++it)
        matches.push_back(*it);
    return matches;
}

std::set<Seen> FromText(const std::string& out) {
    std::set<Seen> seen;
    for (const std::smatch& m : Matches(out, std::regex(R"(([^\n]*):(\d+): ([^\n]*)\n)")))
        seen.insert({AsUtf8(m[1]), std::stoi(m[2]), AsUtf8(m[3])});
    return seen;
}

std::set<Seen> FromGcc(const std::string& out) {
    std::set<Seen> seen;
    const std::regex line(R"(^(.*):(\d+):(\d+):\s+(?:fatal\s+)?(warning|error):\s+(.*)$)");
    std::istringstream lines(out);
    for (std::string text; std::getline(lines, text);) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(text, m, line)) << text;
        const std::string message = m[5];
        const std::size_t code = message.rfind(" [");
        EXPECT_NE(code, std::string::npos) << text;
        seen.insert({AsUtf8(m[1]), std::stoi(m[2]), AsUtf8(message.substr(0, code))});
    }
    return seen;
}

std::set<Seen> FromGithub(const std::string& out) {
    std::set<Seen> seen;
    const std::regex command(R"(::error file=([^,:\n]*),line=(\d+),col=(\d+),title=([A-Z]\d+)::([^\n]*)\n)");
    for (const std::smatch& m : Matches(out, command))
        seen.insert({GithubDecode(m[1]), std::stoi(m[2]), GithubDecode(m[5])});
    return seen;
}

std::set<Seen> FromSarif(const std::string& out) {
    std::set<Seen> seen;
    const json log = json::parse(out);
    for (const json& result : log["runs"][0]["results"]) {
        const json& location = result["locations"][0]["physicalLocation"];
        seen.insert({AsUtf8(PercentDecode(location["artifactLocation"]["uri"])),
                     location["region"]["startLine"].get<int>(), result["message"]["text"]});
    }
    return seen;
}

std::set<Seen> FromJson(const std::string& out) {
    std::set<Seen> seen;
    for (const json& entry : json::parse(out)) {
        const std::string message = entry["message"];
        seen.insert({entry["file"], entry["line"], message.substr(message.find(": ") + 2)});
    }
    return seen;
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "hp=int\r\nweapon=odf\r\nmodel=sod\r\n");
        m_dir.Touch("app/ignorefiles.txt");
        m_dir.Touch("addon/gun.odf");
        m_dir.Touch("addon2/cannon.odf");
        m_dir.Touch("sod/hull.sod");
        m_dir.Touch("sod2/tank.sod");
    }

    ChildRun Check(std::vector<std::string> args, bool withDirs = true) const {
        if (withDirs)
            args.insert(args.begin(), {"--appdir", P("app"), "--addon", "addon", "--sod", "sod"});
        args.insert(args.begin(), VARKO_CHECK_EXE);
        return RunChild(args, {m_dir.path().string(), {}, std::chrono::seconds(60)});
    }
    std::string P(const std::string& relative) const { return (m_dir.path() / relative).string(); }
    std::string Read(const std::string& relative) const {
        std::ifstream in(m_dir.path() / relative, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ScratchDir m_dir;
};

TEST_F(OptionsTest, EveryFormatReportsTheSameFindingsForAwkwardPaths) {
    for (const char* name : kAwkwardNames)
        m_dir.Touch(std::string("mod/") + name, kFaultyOdf);
    const ChildRun text = Check({"mod"});
    ASSERT_EQ(text.exitStatus, kFaults) << text.err;
    const std::set<Seen> expected = FromText(text.out);
    ASSERT_EQ(expected.size(), 3 * std::size(kAwkwardNames)) << text.out;

    const struct {
        const char* format;
        std::set<Seen> (*parse)(const std::string&);
    } formats[] = {{"gcc", FromGcc}, {"github", FromGithub}, {"sarif", FromSarif}, {"json", FromJson}};
    for (const auto& format : formats) {
        const ChildRun run = Check({"--format", format.format, "mod"});
        EXPECT_EQ(run.exitStatus, kFaults) << format.format;
        EXPECT_EQ(run.err, text.err) << format.format;
        EXPECT_EQ(format.parse(run.out), expected) << format.format << "\n" << run.out;
    }
}

TEST_F(OptionsTest, CleanModInEveryFormat) {
    m_dir.Touch("mod/a.odf", "hp = 1\r\n");
    for (const char* format : {"text", "gcc", "github", "sarif", "json"}) {
        const ChildRun run = Check({"--format", format, "mod"});
        EXPECT_EQ(run.exitStatus, kClean) << format;
        EXPECT_EQ(run.err, "No errors found\n") << format;
        if (std::string(format) == "sarif")
            EXPECT_TRUE(json::parse(run.out)["runs"][0]["results"].empty());
        else if (std::string(format) == "json")
            EXPECT_EQ(run.out, "[]\n");
        else
            EXPECT_EQ(run.out, "") << format;
    }
}

TEST_F(OptionsTest, BaselineFollowsMovedLinesAndCountsEachFinding) {
    for (const char* name : kAwkwardNames)
        m_dir.Touch(std::string("mod/") + name, kFaultyOdf);
    ChildRun write = Check({"--write-baseline", "base.json", "mod"});
    ASSERT_EQ(write.exitStatus, kClean) << write.err;
    EXPECT_EQ(write.out, "");
    const json written = json::parse(Read("base.json"));
    EXPECT_EQ(written["findings"].size(), 3 * std::size(kAwkwardNames));

    const struct {
        const char* name;
        std::string plainOdf; // the new content of mod/plain.odf
        int status;
        std::string out;
        std::string err;
    } rows[] = {
        {"unchanged", kFaultyOdf, kClean, "", "No errors found\n"},
        {"lines moved down", std::string("\r\n// new\r\n") + kFaultyOdf, kClean, "", "No errors found\n"},
        {"a faulty line twice", std::string(kFaultyOdf) + "hp = x\r\n", kFaults,
         "mod/plain.odf:4: Error - property hp specified more than once!\n"
         "mod/plain.odf:4: Error - Property 'hp' is an integer. 'x' is not a valid integer\n",
         "2 error(s) found\n"},
        {"one fixed", "hp = x\r\nweapon = gun\r\nhp = 1\r\n", kClean, "",
         "1 baseline entry no longer matches\nNo errors found\n"},
        {"all fixed", "hp = 1\r\n", kClean, "", "3 baseline entries no longer match\nNo errors found\n"},
    };
    for (const auto& row : rows) {
        m_dir.Touch("mod/plain.odf", row.plainOdf);
        const ChildRun run = Check({"--baseline", "base.json", "mod"});
        EXPECT_EQ(run.exitStatus, row.status) << row.name;
        EXPECT_EQ(run.out, row.out) << row.name;
        EXPECT_EQ(run.err, row.err) << row.name;
    }
}

TEST_F(OptionsTest, BaselineAppliesToEveryFormat) {
    m_dir.Touch("mod/a b.odf", "hp = x\r\n");
    ASSERT_EQ(Check({"--write-baseline", "base.json", "mod"}).exitStatus, kClean);
    m_dir.Touch("mod/a b.odf", "hp = x\r\nweapon = gone\r\n");
    for (const char* format : {"text", "gcc", "github", "sarif", "json"}) {
        const ChildRun run = Check({"--format", format, "--baseline", "base.json", "mod"});
        EXPECT_EQ(run.exitStatus, kFaults) << format;
        EXPECT_EQ(run.err, "1 error(s) found\n") << format;
        EXPECT_NE(run.out.find("gone.odf"), std::string::npos) << format << ": " << run.out;
        EXPECT_EQ(run.out.find("'x' is not a valid integer"), std::string::npos)
            << format << ": the known finding is left out";
    }
}

TEST_F(OptionsTest, UnusableBaselineIsTrouble) {
    m_dir.Touch("mod/a.odf", "hp = x\r\n");
    ASSERT_EQ(Check({"--write-baseline", "good.json", "mod"}).exitStatus, kClean);
    const std::string good = Read("good.json");
    fs::create_directories(m_dir.path() / "dir.json");
    const struct {
        const char* name;
        const char* file;
        std::string content; // not written when empty and the file is not "empty.json"
        const char* reason;
    } rows[] = {
        {"empty", "empty.json", "", "the file is empty"},
        {"truncated", "cut.json", good.substr(0, good.size() - 8), "not valid JSON (damaged or cut short)"},
        {"other version", "v2.json", R"({"version": 2, "tool": "varko-check", "findings": []})",
         "version 2 is not supported (this varko-check reads version 1)"},
        {"not JSON", "text.json", "mod/a.odf M8\n", "not valid JSON (damaged or cut short)"},
        {"missing", "missing.json", "", "no such file"},
        {"a directory", "dir.json", "", "not a readable regular file"},
    };
    for (const auto& row : rows) {
        if (!row.content.empty() || std::string(row.file) == "empty.json")
            m_dir.Touch(row.file, row.content);
        const ChildRun run = Check({"--baseline", row.file, "mod"});
        EXPECT_EQ(run.exitStatus, kTrouble) << row.name;
        EXPECT_EQ(run.out, "") << row.name;
        EXPECT_EQ(run.err,
                  "varko-check: Cannot read baseline " + std::string(row.file) + ": " + row.reason + "\n")
            << row.name;
    }
}

TEST_F(OptionsTest, BaselineIsNotWrittenFromAnIncompleteRun) {
    m_dir.Touch("mod/a.odf", "hp = x\r\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* file;
        std::string err;
    } rows[] = {
        {"a path missing",
         {"--write-baseline", "b.json", "mod", "nosuch.odf"},
         "b.json",
         "varko-check: Cannot access nosuch.odf\nvarko-check: Baseline not written: not every path could be "
         "checked\n"},
        {"no such directory",
         {"--write-baseline", "nodir/b.json", "mod"},
         "nodir/b.json",
         "varko-check: Cannot write baseline nodir/b.json\n"},
    };
    for (const auto& row : rows) {
        const ChildRun run = Check(row.args);
        EXPECT_EQ(run.exitStatus, kTrouble) << row.name;
        EXPECT_EQ(run.err, row.err) << row.name;
        EXPECT_FALSE(fs::exists(m_dir.path() / row.file)) << row.name;
    }
}

TEST_F(OptionsTest, IgnoredCodesAndPaths) {
    m_dir.Touch("mod/a.odf", "hp = x\r\nweapon = gone\r\n");
    m_dir.Touch("mod/vendor/b.odf", "hp = y\r\n");
    m_dir.Touch("mod/vendor/deep/c.odf", "hp = z\r\n");
    const std::string a8 = "mod/a.odf:1: Error - Property 'hp' is an integer. 'x' is not a valid integer\n";
    const std::string a3 = "mod/a.odf:2: Error - File not found: gone.odf\n";
    const std::string b8 =
        "mod/vendor/b.odf:1: Error - Property 'hp' is an integer. 'y' is not a valid integer\n";
    const std::string c8 =
        "mod/vendor/deep/c.odf:1: Error - Property 'hp' is an integer. 'z' is not a valid integer\n";
    const struct {
        const char* name;
        std::vector<std::string> options;
        std::string out;
    } rows[] = {
        {"nothing ignored", {}, a8 + a3 + b8 + c8},
        {"one code", {"--ignore", "M3"}, a8 + b8 + c8},
        {"a list and a repeat", {"--ignore", "M3,T4", "--ignore", "M8"}, ""},
        {"glob within the walk", {"--ignore-path", "vendor/*.odf"}, a8 + a3 + c8},
        {"double star", {"--ignore-path", "vendor/**"}, a8 + a3},
        {"glob on the shown path", {"--ignore-path", "mod/**/c.odf"}, a8 + a3 + b8},
        {"glob that matches nothing", {"--ignore-path", "nowhere/**"}, a8 + a3 + b8 + c8},
        {"codes and globs", {"--ignore", "M3", "--ignore-path", "**/deep/*"}, a8 + b8},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = row.options;
        args.push_back("mod");
        const ChildRun run = Check(args);
        EXPECT_EQ(run.out, row.out) << row.name;
        const auto count = std::count(row.out.begin(), row.out.end(), '\n');
        EXPECT_EQ(run.exitStatus, count == 0 ? kClean : kFaults) << row.name;
        EXPECT_EQ(run.err, count == 0 ? "No errors found\n" : std::to_string(count) + " error(s) found\n")
            << row.name;
    }
}

TEST_F(OptionsTest, UsageErrors) {
    m_dir.Touch("mod/a.odf", "hp = x\r\n");
    const struct {
        const char* name;
        std::vector<std::string> options;
        const char* message;
    } rows[] = {
        {"unknown code", {"--ignore", "M1,Q9"}, "Q9"},
        {"lower-case code", {"--ignore", "m1"}, "m1"},
        {"unknown format", {"--format", "xml"}, "--format"},
        {"baseline both ways", {"--baseline", "a.json", "--write-baseline", "b.json"}, "--baseline"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = row.options;
        args.push_back("mod");
        const ChildRun run = Check(args);
        EXPECT_EQ(run.exitStatus, kTrouble) << row.name;
        EXPECT_EQ(run.out, "") << row.name;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        EXPECT_EQ(run.err.find("No errors found"), std::string::npos) << row.name;
    }
}

TEST_F(OptionsTest, SeveralAddonAndSodDirectories) {
    m_dir.Touch("mod/a.odf", "weapon1 = gun\r\nweapon2 = cannon\r\nmodel1 = hull\r\nmodel2 = tank\r\n");
    m_dir.Touch("app/declarations.txt", "weapon?=odf\r\nmodel?=sod\r\n");
    const std::string gun = "mod/a.odf:1: Error - File not found: gun.odf\n";
    const std::string cannon = "mod/a.odf:2: Error - File not found: cannon.odf\n";
    const std::string hull = "mod/a.odf:3: Error - File not found: hull.sod\n";
    const std::string tank = "mod/a.odf:4: Error - File not found: tank.sod\n";
    const struct {
        const char* name;
        std::vector<std::string> dirs;
        std::string out;
    } rows[] = {
        {"one of each", {"--addon", "addon", "--sod", "sod"}, cannon + tank},
        {"both of each", {"--addon", "addon", "--addon", "addon2", "--sod", "sod2", "--sod", "sod"}, ""},
        {"the same twice",
         {"--addon", "addon2", "--addon", "addon2", "--sod", "sod", "--sod", "sod"},
         gun + tank},
        {"a model only in the second", {"--addon", "addon", "--addon", "addon2", "--sod", "sod2"}, hull},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = {"--appdir", P("app")};
        args.insert(args.end(), row.dirs.begin(), row.dirs.end());
        args.push_back("mod");
        const ChildRun run = Check(args, false);
        EXPECT_EQ(run.out, row.out) << row.name << ": " << run.err;
        EXPECT_EQ(run.exitStatus, row.out.empty() ? kClean : kFaults) << row.name;
    }
}

} // namespace
