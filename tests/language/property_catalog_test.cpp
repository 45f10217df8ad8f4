#include "language_fixture.h"

#include "varko/language/property_catalog.h"

#include "test_dirs.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

std::vector<std::string> Names(const std::vector<PropertyEntry>& entries) {
    std::vector<std::string> names;
    for (const PropertyEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

TEST(PropertyCatalog, OffersEachNameOnceSortedIgnoringCase) {
    const PropertyCatalog catalog = testing::SampleCatalog();
    // Sections first, then declared names no section lists; a family only as its first member,
    // and only when no section lists one of it.
    EXPECT_EQ(Names(catalog.Entries()),
              (std::vector<std::string>{"baseClass", "collisionMesh", "deployedName", "geometryName",
                                        "isAssault", "lodMesh1", "maxHealth", "ordName", "unitName",
                                        "weaponName1", "weaponName2"}));
}

TEST(PropertyCatalog, EntriesCarryTheTypeTheCheckerWouldFind) {
    const PropertyCatalog catalog = testing::SampleCatalog();
    for (const PropertyEntry& entry : catalog.Entries())
        EXPECT_EQ(entry.type, catalog.TypeOf(entry.name)) << entry.name;
    EXPECT_EQ(catalog.TypeOf("unitName"), "string"); // the first of two declarations
    EXPECT_EQ(catalog.TypeOf("WEAPONNAME12"), "odf");
    EXPECT_EQ(catalog.TypeOf("weaponName123"), ""); // three digits are no family member
    EXPECT_EQ(catalog.TypeOf("ordName"), "");
}

TEST(PropertyCatalog, ReadsProplibSectionsWithoutTheirFriendlyEntry) {
    ScratchDir dir;
    dir.Touch(
        "proplib.txt",
        "[craft]\nfriendly=Combat Vehicle\nunitName=\nmaxHealth=\n[weapon]\nfriendly=Weapon\nordName=\n");
    dir.Touch("declarations.txt", "unitName=string\nordName=odf\n");

    const PropertyCatalog catalog = LoadPropertyCatalog(dir.path().string() + "/");
    EXPECT_EQ(catalog.SectionsOf("ordName"), std::vector<std::string>{"weapon"});
    EXPECT_EQ(catalog.SectionsOf("friendly"), std::vector<std::string>());
    EXPECT_EQ(catalog.Entries(),
              (std::vector<PropertyEntry>{{"maxHealth", ""}, {"ordName", "odf"}, {"unitName", "string"}}));
}

TEST(PropertyCatalog, MissingFilesGiveAnEmptyCatalogue) {
    ScratchDir dir;
    const PropertyCatalog catalog = LoadPropertyCatalog(dir.path().string() + "/");
    EXPECT_TRUE(catalog.Entries().empty());
    EXPECT_EQ(catalog.TypeOf("unitName"), "");
}

} // namespace
} // namespace varko::language
