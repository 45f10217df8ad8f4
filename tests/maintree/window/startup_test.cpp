#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/navigation_controller.h"
#include "varko/maintree/window/status_panels.h"

#include <QDir>
#include <QFileInfo>

namespace varko::maintree {
namespace {

using Kind = platform::ScriptedDesktop::Kind;

class Startup : public testing::AppFixture {
protected:
    QByteArray Dir() const { return QFileInfo(PathOf("")).absolutePath().toUtf8(); }
    std::string AppDirBytes() const { return AppDir().toStdString(); }
    static const compiler::FileCatalogue& OdfCatalogue(MainWindow& form) {
        return *form.environment().Files().Addon().front();
    }
    static const compiler::FileCatalogue& SodCatalogue(MainWindow& form) {
        return *form.environment().Files().Sod().front();
    }
    QStringList Errors() const {
        QStringList texts;
        for (const auto& shown : m_desktop.Of(Kind::Error))
            texts << shown.text;
        return texts;
    }
};

TEST_F(Startup, VersionDecidesWhetherThePreferencesComeFirst) {
    struct Row {
        const char* name;
        const char* version; // nullptr: no prefs.ini at all
        bool showPrefs;
    };
    const Row rows[] = {
        {"missing file", nullptr, true},
        {"same version", "1.1", false},
        {"blanks after the version", "1.1   ", false},
        {"file version", "1.1.1.9", true},
        {"older version", "1.0", true},
        {"empty value", "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(AppDir() + "prefs.ini");
        if (row.version)
            WritePrefs(QByteArray("[Application]\r\nVersion=") + row.version + "\r\n");
        const QString startDir = QDir::currentPath();
        auto form = MakeWindow();
        int shownPrefs = 0;
        form->setPreferencesDialog([&] { ++shownPrefs; });
        form->show();
        EXPECT_EQ(form->asksForPreferencesAtStart(), row.showPrefs);
        EXPECT_EQ(shownPrefs, row.showPrefs ? 1 : 0);
        EXPECT_TRUE(form->acceptDrops());
        EXPECT_EQ(QFileInfo::exists(AppDir() + "prefs.ini"), row.version != nullptr);
        // Without accepted preferences the catalogues stay where the program started.
        const std::string expected =
            row.showPrefs ? startDir.toStdString() : QDir(AppDir()).canonicalPath().toStdString();
        EXPECT_EQ(SodCatalogue(*form).Directory(), expected);
        EXPECT_EQ(OdfCatalogue(*form).Mask(), row.showPrefs ? "*.*" : "*.odf");
        EXPECT_TRUE(m_desktop.History().empty());
        QDir::setCurrent(startDir);
    }
}

TEST_F(Startup, SettingsAndTheirDefaults) {
    WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=" + Dir() + "\r\n");
    auto form = MakeWindow();
    EXPECT_EQ(form->appDir(), AppDirBytes());
    EXPECT_EQ(form->appDir().back(), '/');
    EXPECT_EQ(form->gameDirs().addon, Dir().toStdString());
    EXPECT_EQ(form->gameDirs().sod, AppDirBytes());
    EXPECT_EQ(form->editor().fontSize(), 10);
    EXPECT_EQ(form->editor().fontName(), "Courier New");
    EXPECT_FALSE(form->editor().wordWrap());
    EXPECT_EQ(form->navigation().expandedWidth(), 180);
    EXPECT_EQ(form->environment().Declarations(), nullptr) << "declarations are read by the first run";
    EXPECT_EQ(form->documents().currentFile(), "Untitled.odf");
    EXPECT_EQ(form->windowTitle(), "Varko Workshop");
    EXPECT_EQ(OdfCatalogue(*form).Directory(), QDir(Dir()).canonicalPath().toStdString());
    EXPECT_EQ(OdfCatalogue(*form).Mask(), "*.odf");
    EXPECT_EQ(form->statusPanels().panelText(StatusPanel::Position), "");
    EXPECT_TRUE(m_desktop.History().empty());
}

TEST_F(Startup, DisplaySettingsReadAsNumbersFlagsAndNames) {
    struct Row {
        const char* name;
        QByteArray display;
        int fontSize;
        QString fontName;
        bool wrap;
    };
    const QString longName(40, QLatin1Char('F'));
    const Row rows[] = {
        {"hexadecimal size", "editorfontsize=0x10\r\n", 16, "Courier New", false},
        {"size not a number", "editorfontsize=big\r\n", 10, "Courier New", false},
        {"wrap on", "wordwrap=1\r\n", 10, "Courier New", true},
        {"wrap any other integer", "wordwrap=2\r\n", 10, "Courier New", true},
        {"wrap not an integer", "wordwrap=yes\r\n", 10, "Courier New", false},
        {"long font name is cut", "editorfont=" + longName.toLatin1() + "\r\n", 10, longName.left(31), false},
        {"empty font name keeps the editor's", "editorfont=\r\neditorfontsize=12\r\n", 12, "Courier New",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WritePrefs("[Application]\r\nVersion=1.1\r\n[Display]\r\n" + row.display);
        auto form = MakeWindow();
        EXPECT_EQ(form->editor().fontSize(), row.fontSize);
        EXPECT_EQ(form->editor().fontName(), row.fontName);
        EXPECT_EQ(form->editor().wordWrap(), row.wrap);
    }
}

TEST_F(Startup, GameDirectoriesThatCannotBeReachedAreReportedInOrder) {
    struct Row {
        const char* name;
        QByteArray dirs;
        QStringList errors;
        std::string odfMask;
    };
    const QByteArray missing = Dir() + "/missing";
    const Row rows[] = {
        {"both missing",
         "Addon=" + missing + "\r\nSod=" + missing + "2\r\n",
         {"Cannot access SOD directory: " + missing + "2", "Cannot access ODF directory: " + missing},
         "*.*"},
        {"empty values", "Addon=\r\nSod=\r\n", {}, "*.odf"},
        {"trailing separator", "Addon=" + Dir() + "/\r\nSod=" + Dir() + "\r\n", {}, "*.odf"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_desktop.ClearHistory();
        WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\n" + row.dirs);
        auto form = MakeWindow();
        EXPECT_EQ(Errors(), row.errors);
        EXPECT_EQ(OdfCatalogue(*form).Mask(), row.odfMask);
    }
}

// The file dialogs open where the game files are until they chose a file, and nothing the program
// does at start, on opening or on re-pointing moves the process's current directory.
TEST_F(Startup, FileDialogsStartInTheAddonDirectory) {
    QDir(PathOf("")).mkpath("game/addon");
    QDir(PathOf("")).mkpath("game/sod");
    const QString game = PathOf("game");
    const QString startDir = QDir::currentPath();
    struct Row {
        const char* name;
        QByteArray dirs;
        QString folder;
    };
    const Row rows[] = {
        {"addon directory", "Addon=" + game.toUtf8() + "/addon\r\nSod=" + game.toUtf8() + "/sod\r\n",
         QDir(game + "/addon").canonicalPath()},
        {"relative addon directory, taken from the SOD directory",
         "Addon=../addon\r\nSod=" + game.toUtf8() + "/sod\r\n", QDir(game + "/addon").canonicalPath()},
        {"unreachable addon directory: the SOD directory",
         "Addon=" + game.toUtf8() + "/none\r\nSod=" + game.toUtf8() + "/sod\r\n",
         QDir(game + "/sod").canonicalPath()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\n" + row.dirs);
        m_desktop.ClearHistory();
        auto form = MakeWindow();
        m_desktop.QueueDialogCancel();
        form->documents().open();
        m_desktop.QueueDialogCancel();
        form->documents().saveAs();
        const auto opened = m_desktop.Of(Kind::OpenDialog);
        const auto saved = m_desktop.Of(Kind::SaveDialog);
        ASSERT_EQ(opened.size(), 1u);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(opened[0].dialog.folder, row.folder);
        EXPECT_EQ(saved[0].dialog.folder, row.folder);
        EXPECT_TRUE(form->documents().openDialog().folder.isEmpty()) << "a cancelled dialog keeps nothing";
        form->refreshCatalogues();
        EXPECT_EQ(QDir::currentPath(), startDir);
    }
}

TEST_F(Startup, TheFirstArgumentIsLoadedWhenItNamesAFile) {
    WriteAcceptedPrefs();
    WriteFile(PathOf("ship.odf"), "a = 1\r\n");
    WriteFile(PathOf("other.odf"), "b = 2\r\n");
    struct Row {
        const char* name;
        QStringList arguments;
        QString currentFile;
        QString caption;
    };
    const Row rows[] = {
        {"file and more", {PathOf("ship.odf"), PathOf("other.odf")}, PathOf("ship.odf"), "ship.odf - VARKO"},
        {"directory", {PathOf("")}, "Untitled.odf", "Varko Workshop"},
        {"missing file", {PathOf("none.odf")}, "Untitled.odf", "Varko Workshop"},
        {"no argument", {}, "Untitled.odf", "Varko Workshop"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_desktop.SetApplicationTitle("Varko");
        auto form = MakeWindow(row.arguments);
        EXPECT_EQ(form->documents().currentFile(), row.currentFile);
        EXPECT_EQ(form->windowTitle(), row.caption);
        EXPECT_EQ(m_desktop.ApplicationTitle(), row.currentFile == "Untitled.odf" ? "Varko" : row.caption);
        EXPECT_EQ(form->statusPanels().panelText(StatusPanel::Position),
                  row.currentFile == "Untitled.odf" ? "" : "  1:   1");
        EXPECT_FALSE(form->editor().isModified());
    }
    EXPECT_TRUE(m_desktop.History().empty());
}

TEST_F(Startup, ARelativeArgumentSurvivesTheMoveOfTheCurrentDirectory) {
    WriteAcceptedPrefs();
    WriteFile(PathOf("ship.odf"), "a = 1\r\n");
    QDir::setCurrent(PathOf(""));
    QDir(AppDir()).mkdir("addon");
    WritePrefs("[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=" + AppDir().toUtf8() + "addon\r\n");
    auto form = MakeWindow({"ship.odf"});
    form->editor().setPlainText("changed");
    form->documents().save();
    EXPECT_EQ(ReadFile(PathOf("ship.odf")), "changed");
}

} // namespace
} // namespace varko::maintree
