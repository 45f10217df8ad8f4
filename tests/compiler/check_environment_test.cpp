#include "varko/compiler/check_pipeline.h"

#include "recording_sink.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;
using namespace varko::compiler;
using namespace std::chrono_literals;
using Names = std::vector<std::string>;

namespace {

#ifndef _WIN32 // MinGW cannot set a folder's time
// Stamps every file and directory of the scratch tree an hour back, so that their modification
// times can vouch for what was read, and a change made by a test shows as a new time.
void AgeTree(const fs::path& root) {
    const fs::file_time_type old = fs::file_time_type::clock::now() - 1h;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        fs::last_write_time(entry.path(), old);
    fs::last_write_time(root, old);
}
#endif

class CheckEnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Touch("app/declarations.txt", "count=int\r\n");
        m_dir.Touch("app/ignorefiles.txt", "builtin.odf\r\n");
        m_dir.Touch("one/a.odf");
        m_dir.Touch("one/Shared.odf");
        m_dir.Touch("one/notes.txt");
        m_dir.Touch("two/b.ODF");
        m_dir.Touch("two/shared.odf");
        m_dir.Touch("sod/hull.sod");
        m_dir.Touch("sod2/wing.sod");
        m_start = fs::current_path();
    }

    std::string Path(const std::string& relative) const { return (m_dir.path() / relative).string(); }
    std::string Canonical(const std::string& relative) const {
        return fs::canonical(m_dir.path() / relative).string();
    }

    ScratchDir m_dir;
    fs::path m_start;
};

TEST_F(CheckEnvironmentTest, SeveralDirectoriesAreSearchedInOrder) {
    CheckEnvironment environment(Path("app"));
    ASSERT_TRUE(environment.SetGameDirs({Path("one"), Path("two")}, {Path("sod"), Path("sod2")}).empty());
    environment.Refresh();
    EXPECT_EQ(environment.AddonDirs(), (Names{Canonical("one"), Canonical("two")}));
    EXPECT_EQ(environment.SodDirs(), (Names{Canonical("sod"), Canonical("sod2")}));
    const struct {
        const char* name;
        bool odf;
        bool sod;
    } rows[] = {{"A.odf", true, false},      {"b.odf", true, false},    {"builtin.ODF", true, false},
                {"notes.txt", false, false}, {"hull.sod", false, true}, {"WING.sod", false, true},
                {"c.odf", false, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(environment.OdfExists(row.name), row.odf) << row.name;
        EXPECT_EQ(environment.SodExists(row.name), row.sod) << row.name;
    }
    EXPECT_EQ(environment.OdfNames(), (Names{"a.odf", "b.ODF", "Shared.odf"}));
    EXPECT_EQ(environment.SodNames(), (Names{"hull.sod", "wing.sod"}));
    EXPECT_EQ(environment.FindOdfPath("SHARED.odf"), Canonical("one/Shared.odf"))
        << "the first directory wins";
    EXPECT_EQ(environment.FindOdfPath("b.odf"), Canonical("two/b.ODF"));
}

TEST_F(CheckEnvironmentTest, FindOdfPathStaysInTheAddonDirectories) {
    m_dir.Touch("one/sub/deep.odf");
    m_dir.Touch("outside.odf");
    CheckEnvironment environment(Path("app"));
    environment.SetGameDirs({Path("one")}, {Path("sod")});
    const char* const rejected[] = {"../outside.odf", "sub/deep.odf", "/etc/passwd", "..", "a..odf", "",
                                    "builtin.odf",    "notes.txt",    "missing.odf"};
    for (const char* name : rejected)
        EXPECT_EQ(environment.FindOdfPath(name), std::nullopt) << name;
    EXPECT_EQ(environment.FindOdfPath("A.ODF"), Canonical("one/a.odf"));
}

TEST_F(CheckEnvironmentTest, FailuresAreReportedInOrder) {
    fs::remove(m_dir.path() / "app" / "declarations.txt");
    CheckEnvironment environment(Path("app"));
    EXPECT_EQ(environment.Refresh(), Names{"Cannot access the declarations file \"declarations.txt\"!"});
    EXPECT_EQ(environment.Declarations(), nullptr);
    const std::string gone = Path("gone"), file = Path("one/a.odf");
    EXPECT_EQ(environment.SetGameDirs({gone, Path("one"), file}, {Path("sod"), gone}),
              (Names{"Cannot access SOD directory: " + gone, "Cannot access ODF directory: " + gone,
                     "Cannot access ODF directory: " + file}));
    EXPECT_EQ(environment.AddonDirs(), (Names{m_start.string(), Canonical("one")}))
        << "a place that cannot be pointed keeps its directory; a new one is left out";
    EXPECT_EQ(environment.SodDirs(), Names{Canonical("sod")});
}

#ifndef _WIN32 // MinGW cannot set a folder's time
TEST_F(CheckEnvironmentTest, DataFilesAreReadAgainOnlyWhenChanged) {
    struct Row {
        const char* name;
        const char* file;
        bool touched; // the modification time moves, not only the content
        bool reread;
    };
    const Row rows[] = {{"declarations changed", "app/declarations.txt", true, true},
                        {"declarations rewritten, same time", "app/declarations.txt", false, false},
                        {"ignore list changed", "app/ignorefiles.txt", true, true},
                        {"ignore list rewritten, same time", "app/ignorefiles.txt", false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_dir.Touch("app/declarations.txt", "count=int\r\n");
        m_dir.Touch("app/ignorefiles.txt", "builtin.odf\r\n");
        AgeTree(m_dir.path());
        CheckEnvironment environment(Path("app"));
        environment.Refresh();
        const auto declarations = environment.Declarations();
        ASSERT_NE(declarations, nullptr);
        const fs::file_time_type before = fs::last_write_time(m_dir.path() / row.file);
        m_dir.Touch(row.file, "speed=real\r\nextra.odf\r\n");
        fs::last_write_time(m_dir.path() / row.file, row.touched ? before + 1s : before);
        environment.Refresh();
        const bool declarationsRead = environment.Declarations() != declarations;
        const bool ignoreRead = environment.OdfExists("extra.odf");
        EXPECT_EQ(declarationsRead, row.reread && std::string(row.file).ends_with("declarations.txt"));
        EXPECT_EQ(ignoreRead, row.reread && std::string(row.file).ends_with("ignorefiles.txt"));
        EXPECT_EQ(environment.Declarations()->TypeOf("speed"), declarationsRead ? "real" : "");
    }
}
#endif

#ifndef _WIN32 // MinGW cannot set a folder's time
TEST_F(CheckEnvironmentTest, DirectoriesAreListedAgainOnlyWhenChanged) {
    struct Row {
        const char* name;
        const char* dir;
        bool touched;
    };
    const Row rows[] = {{"first addon directory", "one", true},
                        {"second addon directory", "two", true},
                        {"SOD directory", "sod", true},
                        {"addon directory, same time", "one", false},
                        {"SOD directory, same time", "sod", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AgeTree(m_dir.path());
        CheckEnvironment environment(Path("app"));
        environment.SetGameDirs({Path("one"), Path("two")}, {Path("sod")});
        environment.Refresh();
        const fs::path dir = m_dir.path() / row.dir;
        const fs::file_time_type before = fs::last_write_time(dir);
        m_dir.Touch(std::string(row.dir) + "/late.odf");
        m_dir.Touch(std::string(row.dir) + "/late.sod");
        fs::last_write_time(dir, row.touched ? before + 1s : before);
        environment.Refresh();
        const bool seen = std::string(row.dir) == "sod" ? environment.SodExists("late.sod")
                                                        : environment.OdfExists("late.odf");
        EXPECT_EQ(seen, row.touched);
        fs::remove(dir / "late.odf");
        fs::remove(dir / "late.sod");
    }
}
#endif

#ifndef _WIN32 // MinGW cannot set a folder's time
TEST_F(CheckEnvironmentTest, AFreshStampIsNotTrusted) {
    CheckEnvironment environment(Path("app"));
    environment.SetGameDirs({Path("one")}, {Path("sod")});
    environment.Refresh();
    // Within the same clock tick the directory's time may not move: the listing must be taken again.
    const fs::file_time_type before = fs::last_write_time(m_dir.path() / "one");
    m_dir.Touch("one/late.odf");
    fs::last_write_time(m_dir.path() / "one", before);
    environment.Refresh();
    EXPECT_TRUE(environment.OdfExists("late.odf"));
}
#endif

TEST_F(CheckEnvironmentTest, RelativeDirectoriesFollowTheLastPointing) {
    m_dir.Touch("sod/addon/c.odf");
    m_dir.Touch("sod/addon/sod/deep.sod");
    m_dir.Touch("sod/addon/sod/other/d.odf");
    fs::current_path(m_dir.path());
    CheckEnvironment environment(Path("app"));
    fs::current_path(m_start);
    EXPECT_EQ(environment.BaseDirectory(), fs::canonical(m_dir.path()).string());

    // At start the SOD directory comes from where the program started, the addon directory from there.
    EXPECT_TRUE(environment.SetGameDirs({"addon"}, {"sod"}).empty());
    EXPECT_EQ(environment.SodDirs(), Names{Canonical("sod")});
    EXPECT_EQ(environment.AddonDirs(), Names{Canonical("sod/addon")});
    EXPECT_EQ(environment.BaseDirectory(), Canonical("sod/addon"));

    // Pointing again starts from the last addon directory.
    EXPECT_TRUE(environment.SetGameDirs({"other"}, {"sod"}).empty());
    EXPECT_EQ(environment.SodDirs(), Names{Canonical("sod/addon/sod")});
    EXPECT_EQ(environment.AddonDirs(), Names{Canonical("sod/addon/sod/other")});
    EXPECT_TRUE(environment.OdfExists("d.odf"));

    // An empty value keeps its place's directory and does not move the base.
    EXPECT_TRUE(environment.SetGameDirs({""}, {""}).empty());
    EXPECT_EQ(environment.AddonDirs(), Names{Canonical("sod/addon/sod/other")});
    EXPECT_EQ(environment.BaseDirectory(), Canonical("sod/addon/sod/other"));
}

TEST_F(CheckEnvironmentTest, TheCurrentDirectoryNeverMoves) {
    CheckEnvironment environment(Path("app"));
    environment.SetGameDirs({Path("one"), "../two"}, {Path("sod")});
    environment.Refresh();
    m_dir.Touch("one/late.odf");
    environment.Refresh();
    std::atomic<bool> stop{false};
    RecordingSink sink;
    CheckDocument({"count = 1", "#include late.odf"}, DocumentKind::Odf, environment, stop, sink);
    CheckDocument({"b.odf 0"}, DocumentKind::TechTree, environment, stop, sink);
    EXPECT_TRUE(sink.texts.empty());
    environment.SetGameDirs({Path("two")}, {Path("sod2")});
    EXPECT_EQ(fs::current_path(), m_start);
}

} // namespace
