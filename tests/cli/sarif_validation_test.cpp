// The SARIF log of the real varko-check, validated by Microsoft's SARIF multitool with the SARIF
// and GitHub rule kinds. The multitool comes from npm, installed into the build tree by a setup test
// before these run; without npm, or without a way to the npm registry, they are skipped with why.

#include "child_process.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path MultitoolBinary() {
    return VARKO_SARIF_BINARY;
}

// Empty when the multitool is ready; else why it cannot be had here. The sarif_tool_install test
// installs it (or writes why it could not) before these tests run.
std::string MultitoolMissing() {
    if (fs::exists(MultitoolBinary()))
        return {};
    const fs::path reason = fs::path(VARKO_SARIF_TOOL_DIR) / "unavailable.txt";
    if (fs::exists(reason))
        return ReadAll(reason);
    return "the SARIF multitool is not installed: run these tests through ctest, whose "
           "sarif_tool_install test installs it";
}

// The multitool's findings of level "error" over the logs, as "ruleId: message" lines.
std::vector<std::string> ValidationErrors(const std::vector<fs::path>& logs, const fs::path& workDir) {
    const fs::path output = workDir / "validation.sarif";
    fs::remove(output);
    std::vector<std::string> argv = {
        MultitoolBinary().string(), "validate", "--rule-kind", "Gh;Sarif", "-o", output.string()};
    for (const fs::path& log : logs)
        argv.push_back(log.string());
    ChildRun run = RunChild(argv, {workDir.string(), {}, std::chrono::seconds(300)});
    EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
    const json report = json::parse(ReadAll(output), nullptr, false);
    if (report.is_discarded())
        return {"the multitool wrote no report: " + run.out + run.err};
    std::vector<std::string> errors;
    for (const json& result : report["runs"][0]["results"]) {
        if (result.value("level", "warning") == "error")
            errors.push_back(result.value("ruleId", "?") + ": " + result["message"].dump());
    }
    return errors;
}

class SarifValidationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = MultitoolMissing();
        if (!why.empty())
            GTEST_SKIP() << why;
        m_dir.Touch("app/declarations.txt", "hp=int\r\nweapon=odf\r\n");
        m_dir.Touch("app/ignorefiles.txt");
        m_dir.Touch("addon/gun.odf");
        fs::create_directories(m_dir.path() / "sod");
    }

    // Runs varko-check in the scratch directory and keeps its log as `name`.
    fs::path SarifOf(const std::string& name, const std::vector<std::string>& args, const fs::path& cwd) {
        std::vector<std::string> argv = {VARKO_CHECK_EXE, "--format", "sarif"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildRun run = RunChild(argv, {cwd.string(), {}, std::chrono::seconds(60)});
        EXPECT_LE(run.exitStatus, 1) << name << ": " << run.err;
        const fs::path log = m_dir.path() / (name + ".sarif");
        std::ofstream(log, std::ios::binary) << run.out;
        return log;
    }
    std::string P(const std::string& relative) const { return (m_dir.path() / relative).string(); }
    std::vector<std::string> With(std::vector<std::string> paths) const {
        std::vector<std::string> args = {"--appdir", P("app"), "--addon", P("addon"), "--sod", P("sod")};
        args.insert(args.end(), paths.begin(), paths.end());
        return args;
    }

    ScratchDir m_dir;
};

TEST_F(SarifValidationTest, LogsOfTheRealProgramHaveNoErrors) {
    for (const char* name : {"my mod/a b.odf", "100%,x:y/c.odf", "caf\xC3\xA9/\xE9t\xE9.odf", "ok/z.tt"})
        m_dir.Touch(std::string("mod/") + name,
                    "hp = x\r\nweapon = gone\r\nweapon = gun extra\r\n\xE9 = 1\r\n");
    m_dir.Touch("clean/a.odf", "hp = 1\r\n");
    // For --extra --unused: an include cycle, a tech-tree circle, and a file nothing names.
    m_dir.Touch("addon/loop.odf", "#include \"loop.odf\"\r\n");
    m_dir.Touch("addon/tree.tt", "gun.odf 1 loop.odf\r\nloop.odf 1 gun.odf\r\n");
    m_dir.Touch("addon/spare.odf");
    const std::vector<fs::path> logs = {
        SarifOf("awkward paths", With({"mod"}), m_dir.path()),
        SarifOf("absolute path", With({P("mod/ok")}), m_dir.path()),
        SarifOf("no findings", With({"clean"}), m_dir.path()),
        SarifOf("checks across files", With({"--extra", "--unused", "addon"}), m_dir.path()),
        SarifOf("sample mod",
                {"--appdir", "data", "--addon", "examples/addon", "--sod", "examples/sod", "examples"},
                VARKO_SOURCE_DIR),
    };
    const json awkward = json::parse(ReadAll(logs[0]));
    EXPECT_GT(awkward["runs"][0]["results"].size(), 10u) << "the logs hold findings to validate";
    const json cross = json::parse(ReadAll(logs[3]));
    std::set<std::string> crossCodes;
    for (const json& result : cross["runs"][0]["results"])
        crossCodes.insert(result["ruleId"].get<std::string>());
    EXPECT_EQ(crossCodes, (std::set<std::string>{"X1", "X3", "U1"}));
    EXPECT_EQ(ValidationErrors(logs, m_dir.path()), std::vector<std::string>{});
}

// Guards the check above: a log the multitool must refuse is refused.
TEST_F(SarifValidationTest, BrokenLogIsCaught) {
    m_dir.Touch("mod/a.odf", "hp = x\r\n");
    json log = json::parse(ReadAll(SarifOf("broken", With({"mod"}), m_dir.path())));
    log["runs"][0]["tool"]["driver"].erase("rules");
    log["runs"][0]["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"]["uri"] = "a b%.odf";
    const fs::path broken = m_dir.path() / "broken.sarif";
    std::ofstream(broken, std::ios::binary) << log.dump();
    EXPECT_FALSE(ValidationErrors({broken}, m_dir.path()).empty());
}

} // namespace
