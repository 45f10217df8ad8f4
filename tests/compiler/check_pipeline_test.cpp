#include "varko/compiler/check_pipeline.h"

#include "recording_sink.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace varko::compiler;
using varko::textrules::LineList;

namespace {

// A program directory and one addon and one SOD directory of the test's own.
class CheckPipelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "count=int\r\nflag?=bool\r\nspeed=real\r\nlabel=string\r\n"
                                            "weapon=odf\r\nmodel=sod\r\nbase=odfn\r\nskin=sodn\r\n");
        m_dir.Touch("app/ignorefiles.txt", "builtin.odf\r\n");
        m_dir.Touch("addon/a.odf");
        m_dir.Touch("sod/hull.sod");
        ASSERT_TRUE(m_environment.SetGameDirs({Path("addon")}, {Path("sod")}).empty());
        ASSERT_TRUE(m_environment.Refresh().empty());
    }

    std::string Path(const std::string& relative) const { return (m_dir.path() / relative).string(); }
    const RecordingSink& Check(const LineList& lines, DocumentKind kind) {
        CheckDocument(lines, kind, m_environment, m_sink.stop, m_sink);
        return m_sink;
    }

    ScratchDir m_dir;
    CheckEnvironment m_environment{Path("app")};
    RecordingSink m_sink;
};

TEST_F(CheckPipelineTest, EveryCodeGivesItsFindingAndText) {
    using enum DocumentKind;
    const struct {
        const char* name;
        DocumentKind kind;
        LineList lines;
        std::size_t which; // the finding looked at, in report order
        Finding finding;
        const char* text;
    } rows[] = {
        {"M1 unknown command",
         Odf,
         {"zzz = 1"},
         0,
         {1, 1, "M1", {"zzz = 1"}},
         "Line 1: Error - Unknown command: zzz = 1"},
        {"M2 repeated name",
         Odf,
         {"count = 1", "count = 2"},
         0,
         {2, 1, "M2", {"count"}},
         "Line 2: Error - property count specified more than once!"},
        {"M3 odf value",
         Odf,
         {"weapon = zz"},
         0,
         {1, 10, "M3", {"zz.odf"}},
         "Line 1: Error - File not found: zz.odf"},
        {"M4 included file",
         Odf,
         {"#include   \"gone.odf\""},
         0,
         {1, 12, "M4", {"gone.odf"}},
         "Line 1: Error - File not found: gone.odf"},
        {"M5 odfn value",
         Odf,
         {"base = nothere"},
         0,
         {1, 8, "M5", {"nothere"}},
         "Line 1: Error - File not found: nothere"},
        {"M6 sod value",
         Odf,
         {"model = wing"},
         0,
         {1, 9, "M6", {"wing.sod"}},
         "Line 1: Error - File not found: wing.sod"},
        {"M7 bool",
         Odf,
         {"flag1 = yes"},
         0,
         {1, 9, "M7", {"flag?"}},
         "Line 1: Error - Property 'flag?' is a boolean type. Its value needs to be either 0 or 1"},
        {"M8 int",
         Odf,
         {"count = 12x"},
         0,
         {1, 9, "M8", {"count", "12x"}},
         "Line 1: Error - Property 'count' is an integer. '12x' is not a valid integer"},
        {"M8 without a value",
         Odf,
         {"count = "},
         0,
         {1, 9, "M8", {"count", ""}},
         "Line 1: Error - Property 'count' is an integer. '' is not a valid integer"},
        {"M9 real",
         Odf,
         {"speed =  1.5e2f"},
         0,
         {1, 10, "M9", {"speed", "1.5e2"}},
         "Line 1: Error - Property 'speed' is a real. '1.5e2' is not a valid real"},
        {"M10 string",
         Odf,
         {"label = text"},
         0,
         {1, 9, "M10", {"label"}},
         "Line 1: Error - Property 'label' is a string. Quotation marks \"\" are needed"},
        {"M11 open quote",
         Odf,
         {"label = \"open"},
         0,
         {1, 9, "M11", {}},
         "Line 1: Error - Ending quotation marks are missing"},
        {"M12 sodn value",
         Odf,
         {"skin = raw"},
         0,
         {1, 8, "M12", {"raw"}},
         "Line 1: Error - File not found: raw"},
        {"M13 left-over token",
         Odf,
         {"count = 1  extra"},
         0,
         {1, 12, "M13", {"extra"}},
         "Line 1: Error - Unknown specifications 'extra' found at the end of the value. Please remove or "
         "comment it "
         "\"//\""},
        {"M13 after an include",
         Odf,
         {"#include a.odf b"},
         0,
         {1, 16, "M13", {"b"}},
         "Line 1: Error - Unknown specifications 'b' found at the end of the value. Please remove or comment "
         "it \"//\""},
        {"T1 comment",
         TechTree,
         {"// note"},
         0,
         {1, 1, "T1", {}},
         "Line 1: Error - Comments are not allowed in tt files. They may cause the game to freeze during "
         "loading."},
        {"T2 short",
         TechTree,
         {"a.odf 3 a.odf"},
         0,
         {1, 1, "T2", {"2"}},
         "Line 1: Error - There is 2 requirement(s) missing."},
        {"T3 too many",
         TechTree,
         {"a.odf 0 a.odf"},
         0,
         {1, 1, "T3", {}},
         "Line 1: Error - too much requirements."},
        {"T4 missing file",
         TechTree,
         {"a.odf 1  zz.odf"},
         0,
         {1, 10, "T4", {"zz.odf"}},
         "Line 1: ODF file \"zz.odf\" not found."},
        {"T5 long name",
         TechTree,
         {"a.odf, 1, verylongname.odf"},
         1,
         {1, 11, "T5", {"verylongname.odf"}},
         "Line 1: Error - Filename verylongname.odf is too long. ODF filenames in TT documents have a 8.3 "
         "character length limit."},
        {"T6 broken entry",
         TechTree,
         {"", "a.odf x"},
         0,
         {2, 1, "T6", {}},
         "Line 2: Error - There are errors on this line. Please remove anything other than Tech file "
         "entries."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const RecordingSink& sink = Check(row.lines, row.kind);
        ASSERT_GT(sink.findings.size(), row.which);
        EXPECT_EQ(sink.findings[row.which], row.finding);
        EXPECT_EQ(MessageText(sink.findings[row.which]), row.text);
        EXPECT_EQ(MessageText(sink.findings[row.which]), "Line " + std::to_string(row.finding.line) + ": " +
                                                             MessageDetail(sink.findings[row.which]));
    }
}

TEST_F(CheckPipelineTest, KindFollowsTheExactExtension) {
    const struct {
        const char* path;
        DocumentKind kind;
    } rows[] = {{"tree.tt", DocumentKind::TechTree},    {"/mods/a.b/tree.tt", DocumentKind::TechTree},
                {"TREE.TT", DocumentKind::Odf},         {"tree.Tt", DocumentKind::Odf},
                {"tree.tt.txt", DocumentKind::Odf},     {"tt", DocumentKind::Odf},
                {"/mods/x.tt/ship", DocumentKind::Odf}, {"", DocumentKind::Odf}};
    for (const auto& row : rows)
        EXPECT_EQ(KindOfPath(row.path), row.kind) << row.path;
}

TEST_F(CheckPipelineTest, WithoutDeclarationsAnOdfRunFailsAndATechTreeRuns) {
    fs::remove(m_dir.path() / "app" / "declarations.txt");
    EXPECT_EQ(m_environment.Refresh(), std::vector<std::string>{std::string(kDeclarationsMissing)});
    const RecordingSink& odf = Check({"zzz = 1"}, DocumentKind::Odf);
    EXPECT_EQ(odf.started, 0);
    EXPECT_EQ(odf.failure, std::string(kDeclarationsMissing));
    EXPECT_TRUE(odf.findings.empty());
    EXPECT_EQ(odf.finished, -1) << "a failed run does not finish";

    RecordingSink tree;
    CheckDocument({"zz.odf 0"}, DocumentKind::TechTree, m_environment, tree.stop, tree);
    EXPECT_EQ(tree.texts, std::vector<std::string>{"Line 1: ODF file \"zz.odf\" not found."});
    EXPECT_EQ(tree.failure, std::nullopt);
}

#ifndef _WIN32 // under Wine the catalogue does not see the folder's time move (docs/windows.md)
TEST_F(CheckPipelineTest, ARunAfterARefreshSeesFilesAddedSince) {
    EXPECT_EQ(Check({"model = late"}, DocumentKind::Odf).texts.size(), 1u);
    m_dir.Touch("sod/late.sod");
    m_environment.Refresh();
    EXPECT_TRUE(Check({"model = late"}, DocumentKind::Odf).texts.empty());
}
#endif

// One section of examples/EXPECTED.md: the file, its summary and its messages.
struct Section {
    std::string file;
    std::string summary;
    std::vector<std::string> messages;
};

std::vector<Section> ReadExpected() {
    std::ifstream in(VARKO_SOURCE_DIR "/examples/EXPECTED.md");
    std::vector<Section> sections;
    std::string line;
    bool inBlock = false;
    while (std::getline(in, line)) {
        if (line.starts_with("## ")) {
            sections.push_back({line.substr(3), {}, {}});
        } else if (!sections.empty() && line.starts_with("```")) {
            inBlock = !inBlock;
        } else if (inBlock) {
            sections.back().messages.push_back(line);
        } else if (!sections.empty() && sections.back().summary.empty() && !line.empty()) {
            sections.back().summary = line;
        }
    }
    return sections;
}

TEST(CheckPipeline, SampleModGivesTheListedMessages) {
    const fs::path examples = VARKO_SOURCE_DIR "/examples";
    CheckEnvironment environment(VARKO_SOURCE_DIR "/data");
    ASSERT_TRUE(
        environment.SetGameDirs({(examples / "addon").string()}, {(examples / "sod").string()}).empty());
    ASSERT_TRUE(environment.Refresh().empty());
    const std::vector<Section> sections = ReadExpected();
    ASSERT_EQ(sections.size(), 11u);
    for (const Section& section : sections) {
        SCOPED_TRACE(section.file);
        const auto bytes = varko::textrules::ReadFileBytes((examples / section.file).string());
        ASSERT_TRUE(bytes.has_value());
        RecordingSink sink;
        CheckDocument(varko::textrules::SplitDocumentLines(*bytes), KindOfPath(section.file), environment,
                      sink.stop, sink);
        EXPECT_EQ(sink.texts, section.messages);
        EXPECT_EQ(SummaryText(sink.finished), section.summary);
    }
}

} // namespace
