// The parts of the core that each operating system does its own way, run on Linux and, in the
// Windows build, under Wine.
#include "varko/textrules/atomic_file.h"
#include "varko/textrules/directory_listing.h"
#include "varko/textrules/process_setup.h"
#include "varko/textrules/text_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace varko::textrules;

namespace {

// std::filesystem cannot remove a tree past 260 characters on Windows; the "\\?\" form of each
// path, deepest first, can.
void RemoveDeepestFirst(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code ec;
#ifdef _WIN32
        std::string full = fs::absolute(path).string();
        std::replace(full.begin(), full.end(), '/', '\\');
        fs::remove("\\\\?\\" + full, ec);
#else
        fs::remove(path, ec);
#endif
        EXPECT_FALSE(ec) << path << ": " << ec.message();
    }
}

class SystemLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            (fs::temp_directory_path() /
             ("varko_system_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
                .generic_string();
        std::error_code ec;
        fs::remove_all(m_dir, ec);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    // Names in the folder, sorted, with a '/' after folders.
    std::vector<std::string> Listed(const std::string& dir) {
        const std::optional<std::vector<DirectoryEntry>> entries = ListDirectory(dir);
        if (!entries)
            return {"<cannot list>"};
        std::vector<std::string> names;
        for (const DirectoryEntry& entry : *entries)
            names.push_back(entry.name + (entry.type == EntryType::Directory ? "/" : ""));
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_dir;
};

// Windows refuses to rename over a file unless asked to replace it, and never over an open one.
TEST_F(SystemLayerTest, ReplacingAFileLeavesOnlyTheNewBytes) {
    const std::string path = m_dir + "/prefs.ini";
    ASSERT_TRUE(ReplaceFileContent(path, "first\r\n"));
    ASSERT_TRUE(ReplaceFileContent(path, "second\n"));
    EXPECT_EQ(ReadFileBytes(path), "second\n");
    EXPECT_EQ(Listed(m_dir), std::vector<std::string>{"prefs.ini"});
}

TEST_F(SystemLayerTest, ReplacingWhileAReaderHoldsTheFileOpen) {
    const std::string path = m_dir + "/prefs.ini";
    ASSERT_TRUE(ReplaceFileContent(path, "old"));
    std::ifstream reader(path, std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    // The C runtime's own open shares no delete access, so Windows may refuse; the old bytes must
    // then stay whole. Our own reads never stand in the way.
    if (!ReplaceFileContent(path, "new")) {
        EXPECT_EQ(ReadFileBytes(path), "old");
    }
    reader.close();
    EXPECT_TRUE(ReplaceFileContent(path, "newer"));
    EXPECT_EQ(ReadFileBytes(path), "newer");
}

TEST_F(SystemLayerTest, EditUnderLockSeesTheCurrentBytes) {
    const std::string path = m_dir + "/prefs.ini";
    for (const char* line : {"a\n", "b\n", "c\n"}) {
        ASSERT_TRUE(EditFileLocked(
            path, [line](const std::optional<std::string>& current) { return current.value_or("") + line; }));
    }
    EXPECT_EQ(ReadFileBytes(path), "a\nb\nc\n");
}

// Past 260 characters std::filesystem cannot list a folder on Windows; ours can.
TEST_F(SystemLayerTest, LongPathsAreListedReadAndWritten) {
    std::string dir = m_dir;
    for (char level : std::string("abcdef"))
        dir += "/" + std::string(50, level);
    ASSERT_GT(dir.size(), 300u);
    ASSERT_TRUE(ListDirectory(m_dir).has_value());
    fs::create_directories(fs::path(dir));
    ASSERT_TRUE(ReplaceFileContent(dir + "/deep.odf", "x = 1\n"));
    fs::create_directories(fs::path(dir + "/sub"));
    EXPECT_EQ(Listed(dir), (std::vector<std::string>{"deep.odf", "sub/"}));
    EXPECT_EQ(ReadFileBytes(dir + "/deep.odf"), "x = 1\n");

    std::vector<std::string> created{dir + "/deep.odf", dir + "/sub"};
    for (std::string level = dir; level.size() > m_dir.size(); level.resize(level.find_last_of('/')))
        created.push_back(level);
    RemoveDeepestFirst(created);
    EXPECT_EQ(Listed(m_dir), std::vector<std::string>{});
}

TEST_F(SystemLayerTest, NamesOutsideAsciiStayUtf8) {
    const std::string name = "t\xC3\xA4nk_\xE2\x82\xAC.odf"; // "tänk_€.odf"
    ASSERT_TRUE(ReplaceFileContent(m_dir + "/" + name, "a"));
    EXPECT_EQ(Listed(m_dir), std::vector<std::string>{name});
    EXPECT_EQ(ReadFileBytes(m_dir + "/" + name), "a");
}

TEST_F(SystemLayerTest, MissingThingsAreNotFound) {
    EXPECT_FALSE(ListDirectory(m_dir + "/none").has_value());
    EXPECT_FALSE(ReadFileBytes(m_dir + "/none.odf").has_value());
    EXPECT_FALSE(ReadFileBytes(m_dir).has_value()) << "a folder is not a file";
}

TEST(ExecutableDirectory, HoldsTheRunningTest) {
    const std::string dir = ExecutableDirectory();
    ASSERT_TRUE(dir.ends_with('/')) << dir;
    const std::optional<std::vector<DirectoryEntry>> entries = ListDirectory(dir);
    ASSERT_TRUE(entries.has_value()) << dir;
    const bool found = std::ranges::any_of(
        *entries, [](const DirectoryEntry& entry) { return entry.name.starts_with("textrules_tests"); });
    EXPECT_TRUE(found) << dir;
}

} // namespace
