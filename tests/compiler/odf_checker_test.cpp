#include "varko/compiler/check_run.h"

#include "recording_sink.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

using namespace varko::compiler;
using varko::textrules::LineList;
using Messages = std::vector<std::string>;

namespace {

class OdfCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("addon/a.odf");
        m_dir.Touch("addon/other.odf");
        m_dir.Touch("addon/readme.txt");
        m_dir.Touch("sod/hull.sod");
        m_dir.Touch("sod/raw.msh");
        ASSERT_TRUE(m_odf->PointAt((m_dir.path() / "addon").string()));
        m_odf->SetMask("*.odf");
        ASSERT_TRUE(m_sod->PointAt((m_dir.path() / "sod").string()));
    }

    Messages Check(const LineList& lines) {
        const GameFiles files({m_odf}, {m_sod}, m_ignore);
        CompileOdf(lines, m_declarations, files, m_sink.stop, m_sink);
        return m_sink.texts;
    }

    ScratchDir m_dir;
    std::shared_ptr<FileCatalogue> m_odf = std::make_shared<FileCatalogue>();
    std::shared_ptr<FileCatalogue> m_sod = std::make_shared<FileCatalogue>();
    std::shared_ptr<const NameList> m_ignore = std::make_shared<NameList>(LineList{"builtin.odf"});
    DeclarationTable m_declarations{
        LineList{"count=int", "flag?=bool", "speed=real", "label=string", "weapon=odf", "model=sod",
                 "base=odfn", "skin=sodn", "notes=arraystring", "misc=strange", "wrong=INT", "count=bool",
                 "weapon?=odf", "base?=odfn", "model?=sod", "skin?=sodn", "count?=int"}};
    RecordingSink m_sink;
};

struct OdfCase {
    const char* name;
    LineList lines;
    Messages messages;
};

const std::string kM13b =
    "Line 1: Error - Unknown specifications 'b' found at the end of the value. Please remove "
    "or comment it \"//\"";

TEST_F(OdfCheckerTest, Messages) {
    const OdfCase cases[] = {
        {"empty document", {}, {}},
        {"comment lines are recorded",
         {"// x = 1", "// x = 1"},
         {"Line 2: Error - property // x specified more than once!"}},
        {"duplicate ignores case",
         {"count = 1", "COUNT = 2"},
         {"Line 2: Error - property COUNT specified more than once!"}},
        {"unknown then declared",
         {"weapon = ", "weapon = a"},
         {"Line 1: Error - Unknown command: weapon = ",
          "Line 2: Error - property weapon specified more than once!"}},
        {"unknown twice gets no duplicate",
         {"zzz = 1", "zzz = 2"},
         {"Line 1: Error - Unknown command: zzz = 1", "Line 2: Error - Unknown command: zzz = 2"}},
        {"trailing token", {"count = 1 b"}, {kM13b}},
        {"trailing comment", {"count = 1 // note"}, {}},
        {"bool family",
         {"flag12 = yes", "flag1 = 1", "flag05 = 0"},
         {"Line 1: Error - Property 'flag?' is a boolean type. Its value needs to be either 0 or 1"}},
        {"folded beyond two digits", {"flag123 = 1"}, {"Line 1: Error - Unknown command: flag123 = 1"}},
        {"string without closing quote",
         {"label = \"text"},
         {"Line 1: Error - Ending quotation marks are missing"}},
        {"string without quotes",
         {"label = text"},
         {"Line 1: Error - Property 'label' is a string. Quotation marks \"\" are needed"}},
        {"string with extra blank",
         {"label =  \"x\""},
         {"Line 1: Error - Property 'label' is a string. Quotation marks \"\" are needed"}},
        {"string of two tokens", {"label = \"a\" \"b\""}, {kM13b}},
        {"include found", {"#include \"other.odf\"", "#include builtin.ODF"}, {}},
        {"include missing", {"#include \"missing.odf\""}, {"Line 1: Error - File not found: missing.odf"}},
        {"include without file", {"#include "}, {"Line 1: Error - File not found: "}},
        {"include with tab", {"#include\tx.odf"}, {"Line 1: Error - Unknown command: #include\tx.odf"}},
        {"include trailing", {"#include a.odf b"}, {kM13b}},
        {"odfn takes the name as written",
         {"base1 = a", "base2 = a.odf"},
         {"Line 1: Error - File not found: a"}},
        {"odf adds the extension",
         {"weapon1 = A", "weapon2 = zz"},
         {"Line 2: Error - File not found: zz.odf"}},
        {"odf in ignore list", {"weapon = BUILTIN"}, {}},
        {"sod adds the extension",
         {"model1 = hull", "model2 = HULL", "model3 = wing"},
         {"Line 3: Error - File not found: wing.sod"}},
        {"sodn",
         {"skin1 = raw.msh", "skin2 = raw", "skin3 = \"anything\""},
         {"Line 2: Error - File not found: raw"}},
        {"sod is not in the ignore list",
         {"skin = builtin.odf"},
         {"Line 1: Error - File not found: builtin.odf"}},
        {"int",
         {"count = x", "count1 = $1F", "count2 = -2147483648"},
         {"Line 1: Error - Property 'count' is an integer. 'x' is not a valid integer"}},
        {"int without value",
         {"count = "},
         {"Line 1: Error - Property 'count' is an integer. '' is not a valid integer"}},
        {"odf with blank value", {"weapon =   "}, {"Line 1: Error - File not found: .odf"}},
        {"type words are exact", {"wrong = 1"}, {"Line 1: Error - Unknown command: wrong = 1"}},
        {"no equals sign", {"abc"}, {"Line 1: Error - Unknown command: abc"}},
        {"one-blank convention", {"count=5"}, {"Line 1: Error - Unknown command: count=5"}},
        {"indented lines",
         {"\tcount = x", " count = y", "\tcount = z"},
         {"Line 3: Error - property \tcount specified more than once!"}},
        {"unchecked types", {"notes = anything at all", "misc = 1 2 3"}, {}},
        {"order on one line",
         {"count = 1", "count = x y"},
         {"Line 2: Error - property count specified more than once!",
          "Line 2: Error - Property 'count' is an integer. 'x' is not a valid integer",
          "Line 2: Error - Unknown specifications 'y' found at the end of the value. Please remove or "
          "comment it "
          "\"//\""}},
    };
    for (const OdfCase& c : cases) {
        EXPECT_EQ(Check(c.lines), c.messages) << c.name;
        EXPECT_EQ(m_sink.finished, static_cast<int>(c.messages.size())) << c.name;
    }
}

TEST_F(OdfCheckerTest, RealRule) {
    const struct {
        const char* token;
        const char* quoted; // nullptr: a valid real
    } cases[] = {
        {"1.5", nullptr},     {"1.5f", nullptr}, {"-0.25", nullptr}, {"3", nullptr}, {"3f", nullptr},
        {"007.010", nullptr}, {"1.-5", nullptr}, {"$1F.2", nullptr}, {".5", ".5"},   {"5.", "5."},
        {"1.5.2", "1.5.2"},   {"1e3", "1e3"},    {"1.5F", "1.5F"},   {"f", ""},      {"2.5ff", "2.5f"},
    };
    for (const auto& c : cases) {
        Messages expected;
        if (c.quoted)
            expected.push_back(std::string("Line 1: Error - Property 'speed' is a real. '") + c.quoted +
                               "' is not a valid real");
        EXPECT_EQ(Check({std::string("speed = ") + c.token}), expected) << c.token;
    }
}

TEST_F(OdfCheckerTest, CodesFollowTheMessages) {
    Check({"zzz = 1", "zzz = 1", "count = x y", "flag1 = 2"});
    EXPECT_EQ(m_sink.codes, (std::vector<std::string>{"M1", "M1", "M8", "M13", "M7"}));
}

TEST_F(OdfCheckerTest, ProgressCountsEveryLine) {
    Check({"", "// c", "count = 1", "\tx"});
    EXPECT_EQ(m_sink.started, 4);
    EXPECT_EQ(m_sink.steps, 4);
}

TEST_F(OdfCheckerTest, StopEndsBeforeTheNextLine) {
    LineList lines(100, "count = 1");
    lines[0] = lines[4] = lines[9] = "count = x";
    lines[20] = "count = y";
    m_sink.stopAfterSteps = 10;
    Messages found = Check(lines);
    EXPECT_EQ(m_sink.steps, 10);
    EXPECT_EQ(m_sink.finished, static_cast<int>(found.size()));
    EXPECT_EQ(SummaryText(m_sink.finished), std::to_string(found.size()) + " error(s) found");
    for (const std::string& text : found)
        EXPECT_EQ(text.find("Line 21:"), std::string::npos) << "line 21 must not be checked";
}

TEST(SummaryText, Words) {
    EXPECT_EQ(SummaryText(0), "No errors found");
    EXPECT_EQ(SummaryText(1), "1 error(s) found");
    EXPECT_EQ(SummaryText(12), "12 error(s) found");
}

} // namespace
