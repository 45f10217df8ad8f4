#include "assist_fixture.h"

#include "varko/assist/nearest_names.h"
#include "varko/assist/property_catalog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace varko::assist {
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
    QTemporaryDir dir;
    QFile proplib(dir.filePath(QStringLiteral("proplib.txt")));
    ASSERT_TRUE(proplib.open(QIODevice::WriteOnly));
    proplib.write(
        "[craft]\nfriendly=Combat Vehicle\nunitName=\nmaxHealth=\n[weapon]\nfriendly=Weapon\nordName=\n");
    proplib.close();
    QFile declarations(dir.filePath(QStringLiteral("declarations.txt")));
    ASSERT_TRUE(declarations.open(QIODevice::WriteOnly));
    declarations.write("unitName=string\nordName=odf\n");
    declarations.close();

    const PropertyCatalog catalog = LoadPropertyCatalog(dir.path().toStdString() + "/");
    EXPECT_EQ(catalog.SectionsOf("ordName"), std::vector<std::string>{"weapon"});
    EXPECT_EQ(catalog.SectionsOf("friendly"), std::vector<std::string>());
    EXPECT_EQ(catalog.Entries(),
              (std::vector<PropertyEntry>{{"maxHealth", ""}, {"ordName", "odf"}, {"unitName", "string"}}));
}

TEST(PropertyCatalog, MissingFilesGiveAnEmptyCatalogue) {
    QTemporaryDir dir;
    const PropertyCatalog catalog = LoadPropertyCatalog(dir.path().toStdString() + "/");
    EXPECT_TRUE(catalog.Entries().empty());
    EXPECT_EQ(catalog.TypeOf("unitName"), "");
}

struct NearRow {
    const char* name;
    const char* typed;
    std::vector<std::string> candidates;
    std::size_t max;
    std::vector<std::string> nearest;
};

const NearRow kNear[] = {
    {"OneTypo", "cannonn", {"cannon", "tank", "crate"}, 5, {"cannon"}},
    {"CaseIgnoredAndNeverTheNameItself", "Tank", {"TANK", "tanks", "tan"}, 5, {"tan", "tanks"}},
    {"NearestFirstThenByName",
     "abcdef",
     {"abcxyf", "abcdeg", "abddef", "zzzzzz"},
     5,
     {"abcdeg", "abddef", "abcxyf"}},
    {"TwoEditsForShortNames", "ab", {"abcd", "abcde", "x"}, 5, {"abcd", "x"}},
    {"ThirdOfTheLengthForLongNames", "weaponname12", {"weaponnam", "weapon"}, 5, {"weaponnam"}},
    {"AtMostMax", "aaaa", {"aaab", "aaac", "aaad"}, 2, {"aaab", "aaac"}},
    {"SameNameInTwoDirectoriesOnce", "lazer.odf", {"laser.odf", "LASER.odf"}, 5, {"laser.odf"}},
};

class NearestTable : public ::testing::TestWithParam<NearRow> {};

TEST_P(NearestTable, OffersTheClosestNames) {
    const NearRow& row = GetParam();
    EXPECT_EQ(NearestNames(row.typed, row.candidates, row.max), row.nearest);
}

INSTANTIATE_TEST_SUITE_P(Names, NearestTable, ::testing::ValuesIn(kNear),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace varko::assist
