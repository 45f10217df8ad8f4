// The include checks on real directories: deep chains, files that cannot be read, links that loop.
#include "varko/compiler/include_chain.h"

#include "memory_source.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <unistd.h>

using namespace varko::compiler;
using varko::textrules::LineList;

namespace {

std::string Include(const std::string& name) {
    return "#include \"" + name + "\"";
}

std::string Chain(int from, int to) {
    std::string chain;
    for (int i = from; i <= to; ++i)
        chain += (i == from ? "" : " -> ") + std::string("f") + std::to_string(i) + ".odf";
    return chain;
}

class IncludeFilesTest : public ::testing::Test {
protected:
    // f0.odf includes f1.odf ... f(depth-1).odf, which includes `last`; each sets its own property.
    void WriteChain(int depth, const std::string& last) {
        for (int i = 0; i < depth; ++i) {
            const std::string next = i + 1 < depth ? "f" + std::to_string(i + 1) + ".odf" : last;
            m_dir.Touch("addon/f" + std::to_string(i) + ".odf", "p" + std::to_string(i) + " = " +
                                                                    std::to_string(i) + "\r\n" +
                                                                    Include(next) + "\r\n");
        }
    }
    LineList Document() const { return {"p0 = 0", Include("f1.odf")}; }
    OdfSource Source() const { return DirectoryOdfSource({(m_dir.path() / "addon").string()}); }

    ScratchDir m_dir;
};

TEST_F(IncludeFilesTest, ChainOneThousandDeep) {
    WriteChain(1000, "gone.odf");
    const std::vector<PropertySite> sites = PropertySites("f0.odf", Document(), Source());
    ASSERT_EQ(sites.size(), 1000u);
    EXPECT_EQ(sites.back().name, "p999");
    EXPECT_EQ(sites.back().file, "f999.odf");
    EXPECT_EQ(sites.back().depth, 999);
    EXPECT_EQ(sites.back().documentLine, 2);
    EXPECT_TRUE(CheckIncludeChain("f0.odf", Document(), Source()).empty());
}

TEST_F(IncludeFilesTest, ChainOneThousandDeepBackToTheStart) {
    WriteChain(1000, "F0.ODF");
    const std::vector<Finding> findings = CheckIncludeChain("f0.odf", Document(), Source());
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].code, "X3");
    EXPECT_EQ(findings[0].line, 2);
    EXPECT_EQ(findings[0].parts[0], Chain(0, 999) + " -> F0.ODF");
}

#ifndef _WIN32 // fork, pipes and symbolic links are POSIX matters
TEST_F(IncludeFilesTest, FilesThatCannotBeReadAreSkipped) {
    const auto addon = m_dir.path() / "addon";
    m_dir.Touch("addon/good.odf", "x = 1\r\n");
    ASSERT_EQ(::mkfifo((addon / "pipe.odf").c_str(), 0600), 0);
    std::filesystem::create_directories(addon / "folder.odf");
    std::filesystem::create_symlink("loop.odf", addon / "loop.odf");
    std::filesystem::create_symlink("ping.odf", addon / "pong.odf");
    std::filesystem::create_symlink("pong.odf", addon / "ping.odf");
    std::filesystem::create_symlink("nowhere.odf", addon / "dangling.odf");
    LineList document{"y = 2"};
    for (const char* name : {"missing.odf", "pipe.odf", "folder.odf", "loop.odf", "ping.odf", "dangling.odf",
                             "locked.odf", "GOOD.ODF"})
        document.push_back(Include(name));
    // A file without read permission can only be refused to a user the permissions bind.
    if (::geteuid() != 0) {
        m_dir.Touch("addon/locked.odf", "z = 3\r\n");
        std::filesystem::permissions(addon / "locked.odf", std::filesystem::perms::none);
    }
    const std::vector<PropertySite> sites = PropertySites("doc.odf", document, Source());
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].name, "y");
    EXPECT_EQ(sites[1].name, "x");
    EXPECT_EQ(sites[1].file, "GOOD.ODF");
    EXPECT_EQ(sites[1].documentLine, 9);
    EXPECT_TRUE(CheckIncludeChain("doc.odf", document, Source()).empty());
}
#endif

TEST_F(IncludeFilesTest, TheDirectoryIsListedWhenTheSourceIsMade) {
    const OdfSource source = Source();
    m_dir.Touch("addon/late.odf", "x = 1\r\n");
    EXPECT_EQ(source("late.odf"), nullptr);
    EXPECT_EQ(LinesOf(Source()("LATE.odf")), (std::optional<LineList>{LineList{"x = 1"}}));
}

TEST_F(IncludeFilesTest, TheFirstDirectoryWins) {
    m_dir.Touch("one/base.odf", "x = 1\r\n");
    m_dir.Touch("two/BASE.odf", "x = 2\r\n");
    m_dir.Touch("two/other.odf", "x = 3\n");
    const OdfSource source = DirectoryOdfSource(
        {(m_dir.path() / "one").string(), (m_dir.path() / "two").string(), (m_dir.path() / "none").string()});
    EXPECT_EQ(LinesOf(source("base.odf")), (std::optional<LineList>{LineList{"x = 1"}}));
    EXPECT_EQ(LinesOf(source("other.odf")), (std::optional<LineList>{LineList{"x = 3"}}));
}

} // namespace
