#include "varko/textrules/atomic_file.h"
#include "varko/textrules/profile_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#endif
#include <unistd.h>

namespace fs = std::filesystem;
using namespace varko::textrules;

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("varko_profile_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "prefs.ini").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ec);
        // Windows will not remove a read-only file.
        fs::permissions(m_path, fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove_all(m_dir);
    }
    void Put(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string Get() { return ReadFileBytes(m_path).value_or("<missing>"); }

    fs::path m_dir;
    std::string m_path;
};

TEST_F(ProfileFileTest, ReadRules) {
    Put("orphan=1\r\n"
        "[Dirs]\r\n"
        "  Addon =  \"/games/my mod\"  \r\n"
        "ADDON=second\r\n"
        "Empty=\r\n"
        "Single='x'\r\n"
        "Mixed=\"x'\r\n"
        "; comment=1\r\n"
        "[dirs]\r\n"
        "Sod=from duplicate section\r\n"
        "[Display]\r\n"
        "hex=0x1F\r\n"
        "HEX2=0X10\r\n"
        "spaced=  12  \r\n"
        "two=2\r\nminus=-1\r\nword=yes\r\nzero=0\r\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadText("dirs", "addon", "d"), "/games/my mod");
    EXPECT_EQ(ini.ReadText("Dirs", "Empty", "d"), "");
    EXPECT_EQ(ini.ReadText("Dirs", "Single", "d"), "x");
    EXPECT_EQ(ini.ReadText("Dirs", "Mixed", "d"), "\"x'");
    EXPECT_EQ(ini.ReadText("Dirs", "Sod", "d"), "d") << "only the first section of a name is read";
    EXPECT_EQ(ini.ReadText("Dirs", "; comment", "d"), "d");
    EXPECT_EQ(ini.ReadText("None", "orphan", "d"), "d");
    EXPECT_EQ(ini.ReadText("", "orphan", "d"), "d") << "lines before the first header belong to no section";
    EXPECT_EQ(ini.ReadNumber("Display", "hex", 0), 31);
    EXPECT_EQ(ini.ReadNumber("Display", "hex2", 0), 16);
    EXPECT_EQ(ini.ReadNumber("Display", "spaced", 0), 12);
    EXPECT_EQ(ini.ReadNumber("Display", "word", 7), 7);
    EXPECT_EQ(ini.ReadNumber("Display", "missing", 9), 9);
    EXPECT_TRUE(ini.ReadFlag("Display", "two", false));
    EXPECT_TRUE(ini.ReadFlag("Display", "minus", false));
    EXPECT_FALSE(ini.ReadFlag("Display", "word", false));
    EXPECT_TRUE(ini.ReadFlag("Display", "word", true));
    EXPECT_FALSE(ini.ReadFlag("Display", "zero", true));
}

TEST_F(ProfileFileTest, LongValueIsCut) {
    Put("[S]\r\nk=" + std::string(3000, 'v') + "\r\n");
    EXPECT_EQ(TIniFile(m_path).ReadText("S", "k", "").size(), 2047u);
}

TEST_F(ProfileFileTest, MissingFileReadsDefaultsAndCreatesNothing) {
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadText("Application", "Version", "0"), "0");
    LineList names = {"stale"};
    ini.ListSections(names);
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(fs::exists(m_path));
}

TEST_F(ProfileFileTest, WritesCreateAndAppend) {
    TIniFile ini(m_path);
    ini.WriteText("Dirs", "Addon", "/a");
    EXPECT_EQ(Get(), "[Dirs]\r\nAddon=/a\r\n");
    ini.WriteText("Dirs", "Sod", "/s");
    ini.WriteFlag("Display", "wordwrap", true);
    ini.WriteNumber("Display", "editorfontsize", -12);
    EXPECT_EQ(Get(), "[Dirs]\r\nAddon=/a\r\nSod=/s\r\n\r\n[Display]\r\nwordwrap=1\r\neditorfontsize=-12\r\n");
    EXPECT_EQ(ini.ReadText("Display", "wordwrap", ""), "1");
}

TEST_F(ProfileFileTest, WriteKeepsEveryOtherByte) {
    const std::string before = "; my settings\n[Dirs]\n  ADDON = old ; c\n\n[Other]\nx=1";
    Put(before);
    TIniFile ini(m_path);
    ini.WriteText("dirs", "Addon", "new");
    EXPECT_EQ(Get(), "; my settings\n[Dirs]\nADDON=new\n\n[Other]\nx=1");
    ini.WriteText("Other", "y", "2");
    EXPECT_EQ(Get(), "; my settings\n[Dirs]\nADDON=new\n\n[Other]\nx=1\r\ny=2\r\n");
    ini.WriteText("Dirs", "Sod", "s");
    EXPECT_EQ(Get(), "; my settings\n[Dirs]\nADDON=new\nSod=s\r\n\n[Other]\nx=1\r\ny=2\r\n");
}

// A directory typed with a line break in it must not add sections or keys to the file.
TEST_F(ProfileFileTest, LineBreaksInValuesStayInTheirEntry) {
    Put("[Dirs]\r\nAddon=/a\r\n");
    TIniFile ini(m_path);
    ini.WriteText("Dirs", "Addon", "/x\r\n[Window]\r\nState=2");
    ini.WriteText("Dirs", "Sod", "/s\nAddon=/evil\r");
    EXPECT_EQ(Get(), "[Dirs]\r\nAddon=/x  [Window]  State=2\r\nSod=/s Addon=/evil \r\n");
    LineList names;
    ini.ListSections(names);
    EXPECT_EQ(names, LineList{"Dirs"});
    ini.ListKeys("Dirs", names);
    EXPECT_EQ(names, (LineList{"Addon", "Sod"}));
    EXPECT_EQ(ini.ReadText("Dirs", "Sod", ""), "/s Addon=/evil");
}

// One section's entries are replaced as a block; every byte outside it stays.
TEST_F(ProfileFileTest, WriteSectionReplacesOnlyThatSection) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    struct Row {
        const char* name;
        std::string before;
        Entries entries;
        std::string after;
    };
    const std::vector<Row> rows = {
        {"missing file", "", {{"A", "1"}, {"B", "2"}}, "[R]\r\nA=1\r\nB=2\r\n"},
        {"missing section appended", "[X]\nx=1", {{"A", "1"}}, "[X]\nx=1\r\n\r\n[R]\r\nA=1\r\n"},
        {"nothing to add to a missing section", "[X]\nx=1", {}, "[X]\nx=1"},
        {"middle section, blank line before the next kept",
         "; c\n[X]\nx=1\n[r]\nOld=1\n; note\nOld2=2\n\n[Y]\ny=2\n",
         {{"A", "1"}},
         "; c\n[X]\nx=1\n[r]\nA=1\r\n\n[Y]\ny=2\n"},
        {"emptied", "[R]\r\nA=1\r\n[Y]\r\ny=2\r\n", {}, "[R]\r\n[Y]\r\ny=2\r\n"},
        {"last line without a break stays so",
         "[X]\nx=1\n[R]\nA=1",
         {{"A", "2"}, {"B", "3"}},
         "[X]\nx=1\n[R]\nA=2\r\nB=3"},
        {"empty last section", "[X]\nx=1\n[R]", {{"A", "1"}}, "[X]\nx=1\n[R]\r\nA=1\r\n"},
        {"line break in a value", "", {{"A", "1\n[X]"}}, "[R]\r\nA=1 [X]\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(m_path);
        if (!row.before.empty())
            Put(row.before);
        TIniFile(m_path).WriteSection("R", row.entries);
        EXPECT_EQ(Get(), row.before.empty() && row.entries.empty() ? "<missing>" : row.after);
    }
}

TEST_F(ProfileFileTest, ListsAndRemove) {
    Put("[Window]\r\nA=1\r\nB=2\r\n[Empty]\r\n[Dirs]\r\nx=1\r\n");
    TIniFile ini(m_path);
    LineList names;
    ini.ListSections(names);
    EXPECT_EQ(names, (LineList{"Window", "Empty", "Dirs"}));
    ini.ListKeys("window", names);
    EXPECT_EQ(names, (LineList{"A", "B"}));
    ini.ListKeys("Empty", names);
    EXPECT_TRUE(names.empty());
    ini.RemoveSection("WINDOW");
    EXPECT_EQ(Get(), "[Empty]\r\n[Dirs]\r\nx=1\r\n");
    EXPECT_NO_THROW(ini.RemoveSection("Window"));
}

TEST_F(ProfileFileTest, NameListsAreNotCut) {
    std::string text = "[S]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "key_number_" + std::to_string(i) + "=v\r\n";
    Put(text);
    LineList keys;
    TIniFile(m_path).ListKeys("S", keys);
    ASSERT_EQ(keys.size(), 3000u);
    EXPECT_EQ(keys.back(), "key_number_2999");
}

#ifndef _WIN32 // fork, pipes and symbolic links are POSIX matters
// A disk that fills up half-way through the write: the old file stays as it was.
TEST_F(ProfileFileTest, FailedWriteRaisesAndKeepsFile) {
    const std::string before = "[Dirs]\r\nAddon=old\r\n";
    Put(before);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        limit.rlim_cur = limit.rlim_max = 16;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            TIniFile(m_path).WriteText("Dirs", "Addon", std::string(200, 'n'));
        } catch (const ProfileWriteError& e) {
            ::_exit(std::string(e.what()) == "Unable to write to " + m_path ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no failure raised, 2: wrong message";
    EXPECT_EQ(Get(), before);
    for (const auto& entry : fs::directory_iterator(m_dir))
        EXPECT_TRUE(entry.path().filename() == "prefs.ini" || entry.path().filename() == ".prefs.ini.lock")
            << "left behind: " << entry.path();
}
#endif

TEST_F(ProfileFileTest, ReadOnlyFileIsNotReplaced) {
    Put("[Dirs]\r\nAddon=old\r\n");
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_THROW(TIniFile(m_path).WriteText("Dirs", "Addon", "new"), ProfileWriteError);
    EXPECT_THROW(TIniFile(m_path).RemoveSection("Dirs"), ProfileWriteError);
    EXPECT_EQ(Get(), "[Dirs]\r\nAddon=old\r\n");
}

TEST_F(ProfileFileTest, MissingDirectoryRaises) {
    TIniFile ini((m_dir / "no" / "prefs.ini").string());
    EXPECT_THROW(ini.WriteText("A", "b", "c"), ProfileWriteError);
}

#ifndef _WIN32 // fork, pipes and symbolic links are POSIX matters
TEST_F(ProfileFileTest, WritesThroughSymbolicLink) {
    const fs::path real = m_dir / "real.ini";
    std::ofstream(real, std::ios::binary) << "[A]\r\nx=1\r\n";
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, m_path);
    TIniFile(m_path).WriteText("A", "x", "2");
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(ReadFileBytes(real.string()), "[A]\r\nx=2\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}
#endif

#ifndef _WIN32 // fork, pipes and symbolic links are POSIX matters
TEST_F(ProfileFileTest, ConcurrentWritersBothLand) {
    constexpr int kWrites = 40;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TIniFile ini(m_path);
        for (int i = 0; i < kWrites; ++i)
            ini.WriteNumber("Child", "k" + std::to_string(i), i);
        ::_exit(0);
    }
    TIniFile ini(m_path);
    for (int i = 0; i < kWrites; ++i)
        ini.WriteNumber("Parent", "k" + std::to_string(i), i);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    LineList keys;
    ini.ListKeys("Child", keys);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(kWrites));
    ini.ListKeys("Parent", keys);
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(kWrites));
}
#endif

} // namespace
