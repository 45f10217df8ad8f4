#include "varko/compiler/check_run.h"

#include "recording_sink.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

using namespace varko::compiler;
using varko::textrules::LineList;
using Messages = std::vector<std::string>;

namespace {

const std::string kT6 =
    ": Error - There are errors on this line. Please remove anything other than Tech file entries.";
const std::string kT5 = " is too long. ODF filenames in TT documents have a 8.3 character length limit.";

class TechTreeCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.odf", "b.odf", "c.odf", "longername1.odf"})
            m_dir.Touch(std::string("addon/") + name);
        ASSERT_TRUE(m_odf->PointAt((m_dir.path() / "addon").string()));
        m_odf->SetMask("*.odf");
    }

    Messages Check(const LineList& lines) {
        const GameFiles files({m_odf}, {m_sod}, m_ignore);
        CompileTT(lines, files, m_sink.stop, m_sink);
        return m_sink.texts;
    }

    ScratchDir m_dir;
    std::shared_ptr<FileCatalogue> m_odf = std::make_shared<FileCatalogue>();
    std::shared_ptr<FileCatalogue> m_sod = std::make_shared<FileCatalogue>();
    std::shared_ptr<const NameList> m_ignore = std::make_shared<NameList>(LineList{"Ignored.odf"});
    RecordingSink m_sink;
};

TEST_F(TechTreeCheckerTest, Messages) {
    const struct {
        const char* name;
        LineList lines;
        Messages messages;
    } cases[] = {
        {"skipped lines", {"", " "}, {}},
        {"two blanks", {"  "}, {"Line 1" + kT6}},
        {"well formed", {"a.odf 0", "a.odf 2 b.odf c.odf", "a.odf, 1, b.odf"}, {}},
        {"count not a number", {"a.odf x"}, {"Line 1" + kT6}},
        {"too few",
         {"a.odf 2 b.odf"},
         {"Line 1: Error - There is 1 requirement(s) missing.", "Line 1" + kT6}},
        {"too few, missing files",
         {"zz.odf 3 yy.odf"},
         {"Line 1: Error - There is 2 requirement(s) missing.", "Line 1: ODF file \"zz.odf\" not found.",
          "Line 1: ODF file \"yy.odf\" not found.", "Line 1" + kT6}},
        {"too many", {"a.odf 0 zz.odf"}, {"Line 1: Error - too much requirements."}},
        {"negative count", {"a.odf -1"}, {"Line 1: Error - too much requirements."}},
        {"long name", {"longername1.odf 0"}, {"Line 1: Error - Filename longername1.odf" + kT5}},
        {"missing and long",
         {"missinglonger.odf 0"},
         {"Line 1: ODF file \"missinglonger.odf\" not found.",
          "Line 1: Error - Filename missinglonger.odf" + kT5}},
        {"ignore list, any case", {"IGNORED.ODF 0"}, {}},
        {"comment",
         {"// note", " // note 0"},
         {"Line 1: Error - Comments are not allowed in tt files. They may cause the game to freeze during "
          "loading.",
          "Line 2" + kT6}},
        {"huge count",
         {"a.odf 2147483647"},
         {"Line 1: Error - There is 2147483647 requirement(s) missing.", "Line 1" + kT6}},
        {"most negative count", {"a.odf -2147483648"}, {"Line 1: Error - too much requirements."}},
        {"quoted names", {"\"a.odf\" 1 \"b.odf\""}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(c.lines), c.messages) << c.name;
        EXPECT_EQ(m_sink.finished, static_cast<int>(c.messages.size())) << c.name;
    }
}

TEST_F(TechTreeCheckerTest, CodesAndProgress) {
    Check({"", "// c", "a.odf 2 zz.odf", "a.odf 0 b.odf", "verylongname.odf 0"});
    EXPECT_EQ(m_sink.codes, (std::vector<std::string>{"T1", "T2", "T4", "T6", "T3", "T4", "T5"}));
    EXPECT_EQ(m_sink.started, 5);
    EXPECT_EQ(m_sink.steps, 3) << "skipped and comment lines take no progress step";
}

TEST_F(TechTreeCheckerTest, StopEndsTheRun) {
    LineList lines(50, "zz.odf 0");
    m_sink.stopAfterSteps = 5;
    EXPECT_EQ(Check(lines).size(), 5u);
    EXPECT_EQ(m_sink.finished, 5);
}

} // namespace
