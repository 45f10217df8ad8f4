#include "varko/textrules/program_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace varko::textrules;

namespace {

class ProgramDirsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = (fs::temp_directory_path() / "varko_program_dirs").generic_string();
        fs::remove_all(m_root);
        for (const char* dir : {"/usr/bin", "/usr/share/varko", "/empty/bin", "/archive"})
            fs::create_directories(m_root + dir);
        std::ofstream(m_root + "/usr/share/varko/declarations.txt") << "unitName=string\n";
        std::ofstream(m_root + "/archive/declarations.txt") << "unitName=string\n";
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string m_root;
};

TEST_F(ProgramDirsTest, OnlyABinBesideShareVarkoIsAnInstallation) {
    const struct {
        const char* name;
        std::string executableDir;
        std::optional<std::string> data;
    } rows[] = {
        {"installed", m_root + "/usr/bin/", m_root + "/usr/share/varko/"},
        {"installed, no trailing slash", m_root + "/usr/bin", m_root + "/usr/share/varko/"},
        {"a bin without the data", m_root + "/empty/bin/", std::nullopt},
        {"an unpacked archive", m_root + "/archive/", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InstalledDataDirectory(row.executableDir), row.data) << row.name;
}

#ifndef _WIN32
TEST_F(ProgramDirsTest, SettingsOfAnInstalledProgramGoToTheUsersConfiguration) {
    ::setenv("XDG_CONFIG_HOME", (m_root + "/config").c_str(), 1);
    const ProgramDirs installed = FindProgramDirs(m_root + "/usr/bin/");
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.data, m_root + "/usr/share/varko/");
    EXPECT_EQ(installed.settings, m_root + "/config/varko/");
    EXPECT_FALSE(fs::exists(m_root + "/config")) << "finding the folder must not create it";

    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", (m_root + "/home").c_str(), 1);
    EXPECT_EQ(UserSettingsDirectory(), m_root + "/home/.config/varko/");
    ::setenv("HOME", savedHome.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
}
#endif

TEST_F(ProgramDirsTest, FromAnArchiveEverythingStaysBesideTheExecutable) {
    const ProgramDirs dirs = FindProgramDirs(m_root + "/archive");
    EXPECT_FALSE(dirs.installed);
    EXPECT_EQ(dirs.data, m_root + "/archive/");
    EXPECT_EQ(dirs.settings, m_root + "/archive/");
}

} // namespace
