#pragma once

#include "qstring_printer.h"
#include "varko/compiler/check_pipeline.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/pref/preferences_target.h"
#include "varko/textrules/profile_file.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace varko::testing {

// Notes, for every box, whether the watched window was open when the box came up.
class WatchingDesktop : public platform::ScriptedDesktop {
public:
    void ShowError(const QString& text) override;
    void ShowException(const QString& caption, const QString& text) override;

    QPointer<QWidget> watched;
    std::vector<bool> openWhenShown;
};

// The running program behind the dialog: plain settings, a real check environment with the
// program's own refresh, and a journal of each change asked for, with the keys prefs.ini then held.
class Program : public pref::PreferencesTarget {
public:
    Program(platform::Desktop& desktop, const textrules::TIniFile& prefs)
        : m_desktop(desktop), m_prefs(prefs) {}

    compiler::GameDirs gameDirs() const override { return dirs; }
    QString editorFontName() const override { return fontName; }
    int editorFontSize() const override { return fontSize; }
    bool editorWordWrap() const override { return wordWrap; }
    bool checkWhileTyping() const override { return liveCheck; }
    bool extraChecks() const override { return extra; }
    void setGameDirs(const compiler::GameDirs& changed) override { Change("setGameDirs", dirs, changed); }
    void setEditorFontName(const QString& name) override { Change("setEditorFontName", fontName, name); }
    void setEditorFontSize(int points) override { Change("setEditorFontSize", fontSize, points); }
    void setEditorWordWrap(bool wrap) override { Change("setEditorWordWrap", wordWrap, wrap); }
    void setCheckWhileTyping(bool on) override { Change("setCheckWhileTyping", liveCheck, on); }
    void setExtraChecks(bool on) override { Change("setExtraChecks", extra, on); }
    void switchPlacementOff() override { Change("switchPlacementOff", placementActive, false); }
    void refreshCatalogues() override;

    compiler::GameDirs dirs;
    QString fontName;
    int fontSize = 10;
    bool wordWrap = false;
    bool liveCheck = true;
    bool extra = true;
    bool placementActive = true;
    // Data files are not read here: only the game directories are pointed.
    compiler::CheckEnvironment environment{std::string()};
    std::vector<std::string> journal;

private:
    void Note(const char* change);
    template <typename T> void Change(const char* change, T& field, const T& value) {
        Note(change);
        field = value;
    }

    platform::Desktop& m_desktop;
    const textrules::TIniFile& m_prefs;
};

// Each test gets a program directory of its own (with a blank in its name) holding its prefs.ini,
// and two game directories beside it. The current directory, which the catalogues move, is put back.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // With its trailing separator.
    QString AppDir() const { return m_appDir; }
    QString PrefsPath() const { return m_appDir + QStringLiteral("prefs.ini"); }
    // Makes a directory beside the program directory; returns its full path.
    std::string MakeDir(const QString& name) const;
    void WritePrefs(const QByteArray& bytes) const;
    // "Section.Key" for every key of prefs.ini, in file order.
    std::vector<std::string> StoredKeys() const;
    std::string Stored(const char* section, const char* key) const;
    QStringList Shown(platform::ScriptedDesktop::Kind kind) const;

    WatchingDesktop m_desktop;
    std::unique_ptr<textrules::TIniFile> m_prefs;
    std::unique_ptr<Program> m_program;

private:
    QTemporaryDir m_dir;
    QString m_appDir;
    QString m_startDir;
};

} // namespace varko::testing
