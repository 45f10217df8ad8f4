#include "test_dirs.h"

#include "varko/language/references.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

// Files of a mod that name base.odf in each way the checker reads, and one that cannot be read.
class References : public ::testing::Test {
protected:
    References() {
        m_tank =
            m_dir.Touch("tank.odf", "#include \"BASE.odf\"\nbaseClass = base\nunitName = base\r\n").string();
        m_tree =
            m_dir.Touch("tree.tt", "factory.odf 0\nbase.odf 1 factory.odf\ntank.odf 1 base.odf\n").string();
        m_none = m_dir.Touch("laser.odf", "deployedName = base\n").string();
    }

    ScratchDir m_dir;
    compiler::DeclarationTable m_declarations{{"baseClass=odf", "deployedName=odfn", "unitName=string"}};
    std::string m_tank, m_tree, m_none;
};

TEST_F(References, FindTheLinesThatNameTheFileInFileOrder) {
    const std::atomic<bool> stop = false;
    const std::vector<std::string> paths = {m_none, m_tank, (m_dir.path() / "gone.odf").string(), m_tree};
    EXPECT_EQ(FindReferences("base.odf", paths, m_declarations, stop),
              (std::vector<ReferencePlace>{{{m_tank, 0}, "#include \"BASE.odf\""},
                                           {{m_tank, 1}, "baseClass = base"},
                                           {{m_tree, 1}, "base.odf 1 factory.odf"},
                                           {{m_tree, 2}, "tank.odf 1 base.odf"}}));
}

TEST_F(References, AStopBeforeTheFirstFileFindsNothing) {
    const std::atomic<bool> stop = true;
    EXPECT_TRUE(FindReferences("base.odf", {m_tank}, m_declarations, stop).empty());
    EXPECT_EQ(ReferencesInFile(m_tank, "tank.odf", m_declarations).size(), 0u);
    EXPECT_EQ(ReferencesInLines("/mod/x.tt", {"tank.odf 0"}, "TANK.ODF", m_declarations),
              (std::vector<ReferencePlace>{{{"/mod/x.tt", 0}, "tank.odf 0"}}));
}

} // namespace
} // namespace varko::language
