#include "varko/maintree/navigation/property_library.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace varko::maintree {
namespace {

using textrules::LineList;

struct Kind {
    std::string label;
    LineList properties;

    bool operator==(const Kind&) const = default;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.label << " {";
    for (const std::string& property : kind.properties)
        *out << " " << property;
    *out << " }";
}

struct LibraryCase {
    const char* name;
    const char* content; // nullptr: no file at all
    bool found;
    std::vector<Kind> kinds;
};

const LibraryCase kLibraryCases[] = {
    {"missing file", nullptr, false, {}},
    {"empty file", "", true, {}},
    {"one kind", "[ship]\nfriendly=Warship\nhull=\nspeed=9\n", true, {{"Warship (ship)", {"hull", "speed"}}}},
    {"kinds and keys in file order",
     "[tank]\nfriendly=Tank\nzeta=\nalpha=\n[craft]\nfriendly=Combat Vehicle\nmaxHealth=\n",
     true,
     {{"Tank (tank)", {"zeta", "alpha"}}, {"Combat Vehicle (craft)", {"maxHealth"}}}},
    {"only friendly", "[rock]\nfriendly=Rock\n", true, {{"Rock (rock)", {}}}},
    {"no friendly: blank label, first key still dropped",
     "[ship]\nhull=\nspeed=\n",
     true,
     {{" (ship)", {"speed"}}}},
    {"friendly not first: it is listed, the first key is not",
     "[ship]\nhull=\nfriendly=Warship\nspeed=\n",
     true,
     {{"Warship (ship)", {"friendly", "speed"}}}},
    {"friendly found ignoring case",
     "[ship]\nFRIENDLY=Warship\nhull=\n",
     true,
     {{"Warship (ship)", {"hull"}}}},
    {"section without keys",
     "[empty]\n[ship]\nfriendly=Warship\nhull=\n",
     true,
     {{" (empty)", {}}, {"Warship (ship)", {"hull"}}}},
};

TEST(PropertyLibrary, ReadsKindsAndPropertyNames) {
    for (const LibraryCase& row : kLibraryCases) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("proplib.txt")).toStdString();
        if (row.content != nullptr)
            std::ofstream(path, std::ios::binary) << row.content;
        const PropertyLibrary library = ReadPropertyLibrary(path);
        EXPECT_EQ(library.found, row.found);
        std::vector<Kind> kinds;
        for (const ObjectKind& kind : library.kinds)
            kinds.push_back({kind.label, kind.properties});
        EXPECT_EQ(kinds, row.kinds);
    }
}

TEST(PropertyLibrary, DirectoryOfThatNameIsNotTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("proplib.txt")));
    EXPECT_FALSE(ReadPropertyLibrary(dir.filePath(QStringLiteral("proplib.txt")).toStdString()).found);
}

} // namespace
} // namespace varko::maintree
