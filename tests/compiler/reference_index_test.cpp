#include "varko/compiler/reference_index.h"

#include <gtest/gtest.h>

using namespace varko::compiler;
using varko::textrules::LineList;
using Names = std::vector<std::string>;

namespace {

class ReferenceIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_index.Add("addon/tank.odf",
                    {"#include \"unitbase.odf\"", "weaponName1 = cannon // main gun",
                     "deathExplosion = XPL.odf", "unitName = \"cannon.odf\"", "// weaponName2 = shell",
                     " weaponName3 = shell", "weaponName4 =", "#include \"unitbase.odf\" \"power.odf\""});
        m_index.Add("addon/techtree.tt",
                    {"factory.odf 0", "tank.odf 1 factory.odf", "cannon.odf 2 Tank.odf Tank.odf",
                     "// scout.odf 0", "scout.odf x factory.odf", "crate.odf 0 power.odf"});
        m_index.Add("addon/cannon.odf", {"weaponName1 = cannon"});
        m_index.Add("addon/lonely.odf", {"baseClass = LONELY"});
        m_index.Add("addon/tree.TT", {"scrap.odf 0"});
    }

    DeclarationTable m_declarations{
        LineList{"weaponName?=odf", "deathExplosion=odfn", "unitName=string", "baseClass=odf"}};
    ReferenceIndex m_index{m_declarations};
};

TEST_F(ReferenceIndexTest, ReferencesTo) {
    const struct {
        const char* name;
        const char* target;
        std::vector<Reference> places;
    } cases[] = {
        {"an odf value gets .odf; a file may name itself",
         "cannon.odf",
         {{"addon/tank.odf", 2}, {"addon/techtree.tt", 3}, {"addon/cannon.odf", 1}}},
        {"include lines, any case", "UNITBASE.ODF", {{"addon/tank.odf", 1}, {"addon/tank.odf", 8}}},
        {"an odfn value as written", "xpl.odf", {{"addon/tank.odf", 3}}},
        {"tech-tree requirements, once per entry",
         "tank.odf",
         {{"addon/techtree.tt", 2}, {"addon/techtree.tt", 3}}},
        {"tech-tree objects; a malformed entry names nothing",
         "factory.odf",
         {{"addon/techtree.tt", 1}, {"addon/techtree.tt", 2}}},
        {"comments, indented lines and strings name nothing", "shell.odf", {}},
        {"a token beyond the count or the include's first", "power.odf", {}},
        {"comment and malformed entries name nothing", "scout.odf", {}},
        {"a tech tree only by its exact extension", "scrap.odf", {}},
        {"an empty odf value names nothing", ".odf", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_index.ReferencesTo(c.target), c.places) << c.name;
}

TEST_F(ReferenceIndexTest, Unused) {
    const Names addon{"cannon.odf", "unitbase.odf", "shell.odf", "Scout.odf", "xpl.odf",
                      "power.odf",  "lonely.odf",   "TANK.ODF",  "crate.odf"};
    EXPECT_EQ(m_index.Unused(addon), (Names{"shell.odf", "Scout.odf", "power.odf", "lonely.odf"}))
        << "a file that only names itself is unused; names are compared ignoring case";
}

} // namespace
