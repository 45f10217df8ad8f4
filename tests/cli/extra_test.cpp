// The real varko-check with --extra and --unused: the checks across files in every format, the
// notes of unused files, and how the options combine.

#include "child_process.h"
#include "report_decoding.h"
#include "run_expectations.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using namespace run_expectations;
const std::string kNote = "Note - Not used by any tech tree, include or file name";

// One finding as a report shows it; a format that does not show the level or the code leaves it empty.
struct Item {
    std::string path;
    int line = 0;
    std::string level;
    std::string code;
    std::string message;
    auto operator<=>(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << item.path << ':' << item.line << ' ' << item.level << ' ' << item.code << ' '
               << item.message;
}

// The groups of each line of the output, which must all match; a group that took no part is empty.
std::vector<std::vector<std::string>> Lines(const std::string& out, const std::regex& pattern) {
    std::vector<std::vector<std::string>> matches;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, pattern)) << line;
        matches.emplace_back(match.begin(), match.end());
    }
    return matches;
}

int LineOf(const std::string& number) {
    return number.empty() ? 0 : std::stoi(number);
}

std::set<Item> FromText(const std::string& out) {
    std::set<Item> items;
    for (const std::vector<std::string>& m : Lines(out, std::regex(R"(([^:]*)(?::(\d+))?: (.*))")))
        items.insert({m[1], LineOf(m[2]), "", "", m[3]});
    return items;
}

std::set<Item> FromGcc(const std::string& out) {
    std::set<Item> items;
    for (const std::vector<std::string>& m :
         Lines(out, std::regex(R"(([^:]*)(?::(\d+):\d+)?: (error|warning|note): (.*) \[(\w+)\])")))
        items.insert({m[1], LineOf(m[2]), m[3], m[5], m[4]});
    return items;
}

std::set<Item> FromGithub(const std::string& out) {
    std::set<Item> items;
    const std::regex command(
        R"(::(error|warning|notice) file=([^,]*)(?:,line=(\d+),col=\d+)?,title=(\w+)::(.*))");
    for (const std::vector<std::string>& m : Lines(out, command))
        items.insert(
            {GithubDecode(m[2]), LineOf(m[3]), m[1] == "notice" ? "note" : m[1], m[4], GithubDecode(m[5])});
    return items;
}

std::set<Item> FromSarif(const std::string& out) {
    std::set<Item> items;
    const json log = json::parse(out);
    for (const json& result : log["runs"][0]["results"]) {
        const json& location = result["locations"][0]["physicalLocation"];
        const int line = location.contains("region") ? location["region"]["startLine"].get<int>() : 0;
        items.insert({PercentDecode(location["artifactLocation"]["uri"]), line, result["level"],
                      result["ruleId"], result["message"]["text"]});
    }
    return items;
}

std::set<Item> FromJson(const std::string& out) {
    std::set<Item> items;
    for (const json& entry : json::parse(out)) {
        std::string message = entry["message"];
        const int line = entry["line"];
        if (line > 0) {
            EXPECT_TRUE(message.starts_with("Line " + std::to_string(line) + ": ")) << message;
            message.erase(0, message.find(": ") + 2);
        }
        items.insert({entry["file"], line, "", entry["code"], message});
    }
    return items;
}

// Leaves out what a format does not show.
std::set<Item> Shown(const std::set<Item>& items, bool level, bool code) {
    std::set<Item> shown;
    for (Item item : items) {
        item.level = level ? item.level : "";
        item.code = code ? item.code : "";
        shown.insert(item);
    }
    return shown;
}

class ExtraTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "hp=int\r\nweapon=odf\r\nsound=odfn\r\n");
        m_dir.Touch("app/ignorefiles.txt");
        fs::create_directories(m_dir.path() / "sod");
    }

    // The addon directory is "mod", the directory checked unless the arguments name paths.
    ChildRun Check(std::vector<std::string> args) const {
        args.insert(args.begin(), {VARKO_CHECK_EXE, "--appdir", P("app"), "--addon", "mod", "--sod", "sod"});
        return RunChild(args, {m_dir.path().string(), {}, std::chrono::seconds(60)});
    }
    std::string P(const std::string& relative) const { return (m_dir.path() / relative).string(); }

    // Two files that include each other, a tank whose includes set hp differently, a tech tree
    // with a circle and a repeated object, and two files nothing names.
    void WriteMod() const {
        m_dir.Touch("mod/a.odf", "hp = x\r\n#include \"b.odf\"\r\n");
        m_dir.Touch("mod/b.odf", "#include \"a.odf\"\r\nhp = y\r\n");
        m_dir.Touch("mod/tank.odf",
                    "#include \"armor.odf\"\r\n#include \"engine.odf\"\r\nweapon = plant\r\n");
        m_dir.Touch("mod/armor.odf", "hp = 10\r\n");
        m_dir.Touch("mod/engine.odf", "hp = 20\r\n");
        m_dir.Touch("mod/plant.odf", "hp = 1\r\n");
        m_dir.Touch("mod/base.odf", "hp = 1\r\n");
        m_dir.Touch("mod/tree.tt",
                    "tank.odf 1 plant.odf\r\nplant.odf 1 tank.odf\r\nbase.odf 0\r\nTANK.ODF 0\r\n");
        m_dir.Touch("mod/lonely.odf", "sound = boom.odf\r\n");
        m_dir.Touch("mod/boom.odf");
        m_dir.Touch("mod/self.odf", "weapon = self\r\n");
    }

    ScratchDir m_dir;
};

const std::set<Item> kCheckerFindings = {
    {"mod/a.odf", 1, "error", "M8", "Error - Property 'hp' is an integer. 'x' is not a valid integer"},
    {"mod/b.odf", 2, "error", "M8", "Error - Property 'hp' is an integer. 'y' is not a valid integer"},
};
const std::set<Item> kCrossFindings = {
    {"mod/a.odf", 2, "error", "X3", "Error - Include cycle: a.odf -> b.odf -> a.odf"},
    {"mod/b.odf", 1, "error", "X3", "Error - Include cycle: b.odf -> a.odf -> b.odf"},
    {"mod/tank.odf", 2, "warning", "X4",
     "Warning - Property 'hp' is set to different values in armor.odf (line 1) and engine.odf (line 1); the "
     "value depends on the order of the includes"},
    {"mod/tree.tt", 1, "error", "X1", "Error - Tech tree cycle: tank.odf -> plant.odf -> tank.odf"},
    {"mod/tree.tt", 4, "error", "X2",
     "Error - Object TANK.ODF is listed more than once in this tech tree; its first entry is on line 1"},
};
const std::set<Item> kNotes = {{"mod/lonely.odf", 0, "note", "U1", kNote},
                               {"mod/self.odf", 0, "note", "U1", kNote}};

std::set<Item> Union(std::initializer_list<std::set<Item>> parts) {
    std::set<Item> all;
    for (const std::set<Item>& part : parts)
        all.insert(part.begin(), part.end());
    return all;
}

TEST_F(ExtraTest, EveryFormatReportsTheChecksAcrossFiles) {
    WriteMod();
    const struct {
        const char* format;
        std::set<Item> (*parse)(const std::string&);
        bool level;
        bool code;
    } formats[] = {{"text", FromText, false, false},
                   {"gcc", FromGcc, true, true},
                   {"github", FromGithub, true, true},
                   {"sarif", FromSarif, true, true},
                   {"json", FromJson, false, true}};
    const struct {
        const char* name;
        std::vector<std::string> options;
        std::set<Item> expected;
        std::string err;
    } rows[] = {
        {"checker only", {}, kCheckerFindings, "2 error(s) found\n"},
        {"--extra", {"--extra"}, Union({kCheckerFindings, kCrossFindings}), "7 error(s) found\n"},
        {"--extra --unused",
         {"--extra", "--unused"},
         Union({kCheckerFindings, kCrossFindings, kNotes}),
         "2 unused file(s)\n7 error(s) found\n"},
    };
    for (const auto& row : rows) {
        for (const auto& format : formats) {
            std::vector<std::string> args = row.options;
            args.insert(args.end(), {"--format", format.format, "mod"});
            const ChildRun run = Check(args);
            EXPECT_EQ(run.exitStatus, kFaults) << row.name << ", " << format.format;
            EXPECT_EQ(run.err, row.err) << row.name << ", " << format.format;
            EXPECT_EQ(format.parse(run.out), Shown(row.expected, format.level, format.code))
                << row.name << ", " << format.format << ":\n"
                << run.out;
        }
    }
}

// Within a file the findings keep line order, whichever check found them and however many workers
// ran; the notes follow every finding.
TEST_F(ExtraTest, TextReportKeepsLineOrderForAnyNumberOfJobs) {
    WriteMod();
    const std::string expected =
        "mod/a.odf:1: Error - Property 'hp' is an integer. 'x' is not a valid integer\n"
        "mod/a.odf:2: Error - Include cycle: a.odf -> b.odf -> a.odf\n"
        "mod/b.odf:1: Error - Include cycle: b.odf -> a.odf -> b.odf\n"
        "mod/b.odf:2: Error - Property 'hp' is an integer. 'y' is not a valid integer\n"
        "mod/tank.odf:2: Warning - Property 'hp' is set to different values in armor.odf (line 1) and "
        "engine.odf (line 1); the value depends on the order of the includes\n"
        "mod/tree.tt:1: Error - Tech tree cycle: tank.odf -> plant.odf -> tank.odf\n"
        "mod/tree.tt:4: Error - Object TANK.ODF is listed more than once in this tech tree; its first entry "
        "is "
        "on line 1\n"
        "mod/lonely.odf: " +
        kNote + "\nmod/self.odf: " + kNote + "\n";
    for (const char* jobs : {"1", "2", "7"}) {
        const ChildRun run = Check({"--extra", "--unused", "--jobs", jobs, "mod"});
        EXPECT_EQ(run.out, expected) << jobs << " jobs";
    }
}

TEST_F(ExtraTest, UnusedFiles) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files; // in mod/, the addon directory
        std::vector<std::string> args;                          // after --extra --unused
        std::vector<std::string> unused;
    } rows[] = {
        {"named by nothing", {{"x.odf", "hp = 1"}}, {"mod"}, {"mod/x.odf"}},
        {"names only itself", {{"x.odf", "weapon = x"}}, {"mod"}, {"mod/x.odf"}},
        {"in a tech tree", {{"x.odf", ""}, {"t.tt", "x.odf 0"}}, {"mod"}, {}},
        {"as a requirement", {{"x.odf", ""}, {"y.odf", ""}, {"t.tt", "y.odf 1 x.odf"}}, {"mod"}, {}},
        {"included", {{"x.odf", ""}, {"y.odf", "#include \"x.odf\""}}, {"mod"}, {"mod/y.odf"}},
        {"an odf value", {{"x.odf", ""}, {"y.odf", "weapon = x"}}, {"mod"}, {"mod/y.odf"}},
        {"an odfn value", {{"x.odf", ""}, {"y.odf", "sound = x.odf"}}, {"mod"}, {"mod/y.odf"}},
        {"named in another case", {{"Xy.odf", ""}, {"y.odf", "weapon = xY"}}, {"mod"}, {"mod/y.odf"}},
        {"a comment is no reference",
         {{"x.odf", ""}, {"y.odf", "// weapon = x"}},
         {"mod"},
         {"mod/x.odf", "mod/y.odf"}},
        {"named by an addon file not checked",
         {{"x.odf", ""}, {"y.odf", "weapon = x"}},
         {"mod/x.odf"},
         {"mod/y.odf"}},
        {"named by an addon tech tree not checked", {{"x.odf", ""}, {"t.tt", "x.odf 0"}}, {"mod/x.odf"}, {}},
        {"left out by --ignore-path",
         {{"x.odf", ""}, {"y.odf", ""}},
         {"--ignore-path", "x.odf", "mod"},
         {"mod/y.odf"}},
        {"--ignore U1", {{"x.odf", ""}}, {"--ignore", "U1", "mod"}, {}},
    };
    for (const auto& row : rows) {
        fs::remove_all(m_dir.path() / "mod");
        for (const auto& [name, content] : row.files)
            m_dir.Touch("mod/" + name, content.empty() ? "" : content + "\r\n");
        std::vector<std::string> args = {"--extra", "--unused"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ChildRun run = Check(args);
        std::string out;
        for (const std::string& path : row.unused)
            out += path + ": " + kNote + "\n";
        EXPECT_EQ(run.out, out) << row.name;
        EXPECT_EQ(run.exitStatus, kClean) << row.name << ": notes never change the status";
        const std::string count =
            row.unused.empty() ? "" : std::to_string(row.unused.size()) + " unused file(s)\n";
        EXPECT_EQ(run.err, count + "No errors found\n") << row.name;
    }
}

TEST_F(ExtraTest, UnusedNeedsExtra) {
    WriteMod();
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
    } rows[] = {
        {"--unused alone", {"--unused", "mod"}, kTrouble},
        {"--unused before --extra", {"--unused", "--extra", "--ignore", "M8,X1,X2,X3,X4", "mod"}, kClean},
    };
    for (const auto& row : rows) {
        const ChildRun run = Check(row.args);
        EXPECT_EQ(run.exitStatus, row.status) << row.name;
        if (row.status == kTrouble) {
            EXPECT_EQ(run.out, "") << row.name;
            EXPECT_NE(run.err.find("--unused requires --extra"), std::string::npos)
                << row.name << ": " << run.err;
        } else {
            EXPECT_EQ(run.err, "2 unused file(s)\nNo errors found\n") << row.name;
        }
    }
}

} // namespace
