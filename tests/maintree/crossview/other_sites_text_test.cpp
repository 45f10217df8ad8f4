#include "crossview_fixture.h"
#include "varko/maintree/crossview/other_sites_text.h"

namespace varko::maintree {
namespace {

TEST(OtherSitesText, ListsTheOtherPlacesInIncludeOrder) {
    // name, value, file, line, document line, depth, repeated
    const std::vector<compiler::PropertySite> sites{
        {"maxHealth", "3", "base.odf", 3, 2, 1, true},    {"range", "1", "base.odf", 4, 2, 1, false},
        {"MAXHEALTH", "4", "weapons.odf", 7, 5, 2, true}, {"maxHealth", "5", "tank.odf", 9, 9, 0, true},
        {"maxHealth", "6", "tank.odf", 12, 12, 0, true},
    };
    const struct {
        const char* name;
        const char* property;
        const char* exceptFile;
        int exceptLine;
        QStringList places;
    } cases[] = {
        {"hovering the document's line",
         "maxHealth",
         "/mods/addon/tank.odf",
         9,
         {"base.odf line 3", "weapons.odf line 7", "tank.odf line 12"}},
        {"hovering an included line, names and files in any case",
         "maxhealth",
         "BASE.ODF",
         3,
         {"weapons.odf line 7", "tank.odf line 9", "tank.odf line 12"}},
        {"a path with backslashes",
         "maxHealth",
         "C:\\mods\\tank.odf",
         12,
         {"base.odf line 3", "weapons.odf line 7", "tank.odf line 9"}},
        {"the same line in another file is another place",
         "maxHealth",
         "other.odf",
         3,
         {"base.odf line 3", "weapons.odf line 7", "tank.odf line 9", "tank.odf line 12"}},
        {"set only where hovered", "range", "base.odf", 4, {}},
        {"a name nothing sets", "speed", "tank.odf", 1, {}},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.property);
        const QString file = QString::fromLatin1(c.exceptFile);
        EXPECT_EQ(OtherSites(sites, name, file, c.exceptLine), c.places) << c.name;
        const QString text = OtherSitesText(sites, name, file, c.exceptLine);
        if (c.places.isEmpty())
            EXPECT_TRUE(text.isEmpty()) << c.name;
        else
            EXPECT_EQ(text, "Also set in: " + c.places.join(", ")) << c.name;
    }
}

} // namespace
} // namespace varko::maintree
