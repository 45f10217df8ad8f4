#include "varko/compiler/file_catalogue.h"

#include "test_dirs.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace varko::compiler;

namespace {

TEST(MatchesMask, Table) {
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        {"ship.odf", "*.odf", true},  {"SHIP.ODF", "*.odf", true},  {"ship.odfx", "*.odf", false},
        {"ship.sod", "*.odf", false}, {"noext", "*.*", true},       {"a.b", "*.odf;*.b", true},
        {"ab.odf", "a?.odf", true},   {"abc.odf", "a?.odf", false}, {"readme", "readme.*", true},
        {"x.odf", ";;*.odf", true},   {"x.odf", "", false},         {"a.tar.gz", "*.gz", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " vs " << c.mask;
}

TEST(FileCatalogue, ListsOrdinaryVisibleFilesSortedIgnoringCase) {
    ScratchDir dir;
    dir.Touch("addon/b.odf");
    dir.Touch("addon/A.odf");
    dir.Touch("addon/c.ODF");
    dir.Touch("addon/.hidden.odf");
    dir.Touch("addon/notes.txt");
    fs::create_directories(dir.path() / "addon" / "sub.odf");
    const fs::path start = fs::current_path();
    FileCatalogue catalogue;
    ASSERT_TRUE(catalogue.PointAt((dir.path() / "addon").string() + "/"));
    catalogue.SetMask("*.odf");
    EXPECT_EQ(catalogue.Names(), (std::vector<std::string>{"A.odf", "b.odf", "c.ODF"}));
    EXPECT_TRUE(catalogue.Contains("C.odf"));
    EXPECT_FALSE(catalogue.Contains("c"));
    EXPECT_FALSE(catalogue.Contains("notes.txt"));
    EXPECT_EQ(catalogue.Directory(), fs::canonical(dir.path() / "addon").string());
    EXPECT_EQ(catalogue.Find("C.odf"), std::optional<std::string>("c.ODF"));
    EXPECT_EQ(catalogue.Find("notes.txt"), std::nullopt);
    EXPECT_EQ(fs::current_path(), start) << "listing never moves the current directory";
}

TEST(FileCatalogue, PointingRules) {
    ScratchDir dir;
    dir.Touch("sod/x.sod");
    dir.Touch("sod/y.msh");
    FileCatalogue catalogue;
    const std::string before = catalogue.Directory();

    EXPECT_TRUE(catalogue.PointAt("")) << "an empty value is not an error";
    EXPECT_EQ(catalogue.Directory(), before);

    EXPECT_FALSE(catalogue.PointAt((dir.path() / "missing").string()));
    EXPECT_EQ(catalogue.Directory(), before);
    EXPECT_EQ(catalogue.Mask(), "*.*");

    EXPECT_TRUE(catalogue.PointAt((dir.path() / "sod" / "*.SOD").string()));
    EXPECT_EQ(catalogue.Mask(), "*.SOD");
    EXPECT_EQ(catalogue.Names(), std::vector<std::string>{"x.sod"});

    fs::current_path(dir.path());
    FileCatalogue relative;
    EXPECT_TRUE(relative.PointAt("sod"));
    EXPECT_EQ(relative.Directory(), fs::canonical(dir.path() / "sod").string());

    EXPECT_FALSE(relative.PointAt((dir.path() / "sod" / "x.sod").string())) << "a file is not a directory";
    EXPECT_EQ(relative.Directory(), fs::canonical(dir.path() / "sod").string());
}

TEST(FileCatalogue, RereadsOnlyWhenAskedOrChanged) {
    ScratchDir dir;
    dir.Touch("addon/a.odf");
    FileCatalogue catalogue;
    ASSERT_TRUE(catalogue.PointAt((dir.path() / "addon").string()));
    EXPECT_TRUE(catalogue.Contains("a.odf"));
    dir.Touch("addon/b.odf");
    ASSERT_TRUE(catalogue.PointAt((dir.path() / "addon").string()));
    EXPECT_FALSE(catalogue.Contains("b.odf")) << "pointing at the same directory keeps the listing";
    catalogue.Refresh();
    EXPECT_TRUE(catalogue.Contains("b.odf"));
}

#ifndef _WIN32 // under Wine the catalogue does not see the folder's time move (docs/windows.md)
TEST(FileCatalogue, RefreshIfChangedSeesNewFiles) {
    ScratchDir dir;
    dir.Touch("sod/a.sod");
    FileCatalogue catalogue;
    ASSERT_TRUE(catalogue.PointAt((dir.path() / "sod").string()));
    catalogue.RefreshIfChanged();
    EXPECT_TRUE(catalogue.Contains("a.sod"));
    dir.Touch("sod/new.sod");
    catalogue.RefreshIfChanged();
    EXPECT_TRUE(catalogue.Contains("new.sod"));
    fs::remove(dir.path() / "sod" / "a.sod");
    catalogue.RefreshIfChanged();
    EXPECT_FALSE(catalogue.Contains("a.sod"));
}
#endif

} // namespace
