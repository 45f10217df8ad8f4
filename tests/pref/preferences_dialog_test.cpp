#include "dialog_fixture.h"
#include "varko/pref/preferences_dialog.h"
#include "varko/pref/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace varko::pref {
namespace {

using Kind = platform::ScriptedDesktop::Kind;

QString ListedFamily() {
    const QStringList families = QFontDatabase::families();
    return families.contains("DejaVu Sans Mono") ? QStringLiteral("DejaVu Sans Mono") : families.value(0);
}

std::string Canonical(const std::string& dir) {
    return QDir(QString::fromStdString(dir)).canonicalPath().toStdString();
}

class PreferencesDialogTest : public testing::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        m_program->fontName = ListedFamily();
        m_desktop.SetApplicationTitle(QStringLiteral("Varko"));
        m_dialog = MakeDialog(*m_program);
    }
    std::unique_ptr<PreferencesDialog> MakeDialog(testing::Program& program) {
        auto dialog = std::make_unique<PreferencesDialog>(
            m_desktop, SettingsFile{*m_prefs, AppDir().toStdString(), "1.1"}, program);
        m_desktop.watched = dialog.get();
        return dialog;
    }
    const PreferencesControls& C() const { return m_dialog->controls(); }
    void Ok() { QTest::mouseClick(C().okButton, Qt::LeftButton); }
    void Cancel() { QTest::mouseClick(C().cancelButton, Qt::LeftButton); }
    static void Type(QLineEdit* field, const std::string& text) {
        field->clear();
        QTest::keyClicks(field, QString::fromStdString(text));
    }

    std::unique_ptr<PreferencesDialog> m_dialog;
};

TEST_F(PreferencesDialogTest, ControlsNamesTabOrderAndFontList) {
    m_dialog->show();
    EXPECT_EQ(m_dialog->windowTitle(), "Preference");
    EXPECT_EQ(m_dialog->size(), QSize(311, 415));
    EXPECT_EQ(m_dialog->minimumSize(), m_dialog->maximumSize());
    EXPECT_EQ(m_dialog->focusWidget(), C().okButton);
    // A field is named by its label; every other control by its caption.
    for (QLabel* label : m_dialog->findChildren<QLabel*>()) {
        EXPECT_EQ(label->accessibleName(), label->text());
        if (label->buddy()) {
            EXPECT_EQ(label->buddy()->accessibleName(), label->text()) << label->objectName().toStdString();
        }
    }
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(C().okButton), static_cast<QAbstractButton*>(C().cancelButton),
          static_cast<QAbstractButton*>(C().wordWrapBox),
          static_cast<QAbstractButton*>(C().resetPlacementBox),
          static_cast<QAbstractButton*>(C().liveCheckBox), static_cast<QAbstractButton*>(C().extraChecksBox)})
        EXPECT_EQ(button->accessibleName(), button->text());
    EXPECT_EQ(C().fontSizeUpDown->accessibleName(), "Size");

    QStringList order;
    for (QWidget* at = C().okButton; order.size() < 12; at = at->nextInFocusChain()) {
        if ((at->focusPolicy() & Qt::TabFocus) && !at->objectName().isEmpty())
            order << at->objectName();
    }
    EXPECT_EQ(order.join(' '), "okButton cancelButton addonDirEdit sodDirEdit fontBox fontSizeEdit "
                               "fontSizeUpDown wordWrapBox resetPlacementBox liveCheckBox extraChecksBox "
                               "okButton");
    EXPECT_EQ(C().checkingGroup->accessibleName(), "Checking");

    QStringList listed, families = QFontDatabase::families();
    for (int i = 0; i < C().fontBox->count(); ++i)
        listed << C().fontBox->itemText(i);
    families.removeDuplicates();
    families.sort(Qt::CaseInsensitive);
    EXPECT_EQ(listed, families);
    EXPECT_FALSE(C().fontBox->isEditable());
}

// What prefs.ini holds plays no part: the fields show what the program runs with, every time.
TEST_F(PreferencesDialogTest, CancelOrCloseBoxChangesNothing) {
    WritePrefs("[Dirs]\r\nAddon=/stored/addon\r\n[Display]\r\neditorfontsize=30\r\n");
    m_program->wordWrap = true;
    const compiler::GameDirs running = m_program->dirs;
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [this] { Cancel(); }},
        {"close box", [this] { m_dialog->close(); }},
    };
    for (const auto& [name, closeDialog] : ways) {
        SCOPED_TRACE(name);
        m_dialog->show();
        EXPECT_EQ(C().addonDirEdit->text().toStdString(), running.addon);
        EXPECT_EQ(C().sodDirEdit->text().toStdString(), running.sod);
        EXPECT_EQ(C().fontBox->currentText(), m_program->fontName);
        EXPECT_EQ(C().fontSizeEdit->text(), "10");
        EXPECT_TRUE(C().wordWrapBox->isChecked());
        EXPECT_EQ(C().resetPlacementBox->isChecked(), name != ways[0].first)
            << "the reset box keeps its mark";
        Type(C().addonDirEdit, "/changed/addon");
        Type(C().sodDirEdit, "/changed/sod");
        C().fontBox->setCurrentIndex(C().fontBox->currentIndex() == 0 ? 1 : 0);
        QTest::mouseClick(C().fontSizeUpDown->upArrow(), Qt::LeftButton);
        EXPECT_EQ(C().fontSizeEdit->text(), "11");
        C().wordWrapBox->setChecked(false);
        C().resetPlacementBox->setChecked(true);
        QTest::keyClick(C().addonDirEdit, Qt::Key_Escape);
        EXPECT_TRUE(m_dialog->isVisible()) << "Escape does not close the dialog";
        closeDialog();
        EXPECT_FALSE(m_dialog->isVisible());
        EXPECT_EQ(Stored("Dirs", "Addon"), "/stored/addon");
        EXPECT_EQ(Stored("Dirs", "Sod"), "<missing>");
        EXPECT_TRUE(m_program->journal.empty());
        EXPECT_EQ(m_program->dirs.addon, running.addon);
        EXPECT_EQ(m_program->dirs.sod, running.sod);
        EXPECT_EQ(m_program->fontName, ListedFamily());
        EXPECT_TRUE(m_program->placementActive);
    }
}

TEST_F(PreferencesDialogTest, OkWithoutChangesWritesEverySetting) {
    for (const bool pointedBefore : {false, true}) {
        SCOPED_TRACE(pointedBefore ? "catalogues already pointed" : "first start");
        QFile::remove(PrefsPath());
        testing::Program program(m_desktop, *m_prefs);
        program.dirs = m_program->dirs;
        program.fontName = ListedFamily();
        if (pointedBefore)
            program.refreshCatalogues();
        const QString late = QString::fromStdString(program.dirs.addon + "/late.odf");
        const QString lateText = QString::fromStdString(program.dirs.addon + "/late.txt");
        QFile(late).open(QIODevice::WriteOnly);
        QFile(lateText).open(QIODevice::WriteOnly);
        auto dialog = MakeDialog(program);
        dialog->show();
        QTest::mouseClick(dialog->controls().okButton, Qt::LeftButton);

        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"Dirs.Addon", "Dirs.Sod", "Display.wordwrap",
                                                          "Display.editorfont", "Display.editorfontsize",
                                                          "Checking.LiveCheck", "Checking.ExtraChecks",
                                                          "Application.Version"}));
        const std::string values[] = {Stored("Dirs", "Addon"),
                                      Stored("Dirs", "Sod"),
                                      Stored("Display", "wordwrap"),
                                      Stored("Display", "editorfont"),
                                      Stored("Display", "editorfontsize"),
                                      Stored("Checking", "LiveCheck"),
                                      Stored("Checking", "ExtraChecks"),
                                      Stored("Application", "Version")};
        EXPECT_EQ(std::vector(std::begin(values), std::end(values)),
                  (std::vector<std::string>{program.dirs.addon, program.dirs.sod, "0",
                                            ListedFamily().toStdString(), "10", "1", "1", "1.1"}));
        EXPECT_EQ(program.environment.AddonDirs(), std::vector<std::string>{Canonical(program.dirs.addon)});
        EXPECT_FALSE(program.environment.OdfExists("late.txt")) << "only *.odf files count";
        // Directories that did not change are not listed again, so a file made since stays unseen.
        EXPECT_EQ(program.environment.OdfExists("late.odf"), !pointedBefore);
        EXPECT_TRUE(program.placementActive);
        EXPECT_TRUE(m_desktop.History().empty());
        QFile::remove(late);
        QFile::remove(lateText);
    }
}

TEST_F(PreferencesDialogTest, AcceptingWritesAndAppliesInOrder) {
    WritePrefs("[Window]\r\nFormVersion=0\r\n");
    m_dialog->show();
    C().wordWrapBox->setChecked(true);
    Type(C().fontSizeEdit, "14");
    C().resetPlacementBox->setChecked(true);
    Ok();
    const std::string dirs = " | Window.FormVersion Dirs.Addon Dirs.Sod";
    const std::string display = " Display.wordwrap Display.editorfont Display.editorfontsize";
    const std::string checking = " Checking.LiveCheck Checking.ExtraChecks";
    EXPECT_EQ(m_program->journal, (std::vector<std::string>{
                                      "setGameDirs" + dirs,
                                      "setEditorWordWrap" + dirs + " Display.wordwrap",
                                      "setEditorFontName" + dirs + display,
                                      "setEditorFontSize" + dirs + display,
                                      "setCheckWhileTyping" + dirs + display + checking,
                                      "setExtraChecks" + dirs + display + checking,
                                      "refreshCatalogues" + dirs + display + checking,
                                      "switchPlacementOff | Dirs.Addon Dirs.Sod" + display + checking,
                                  }));
    EXPECT_EQ(StoredKeys().back(), "Application.Version");
    EXPECT_TRUE(m_program->wordWrap);
    EXPECT_EQ(m_program->fontSize, 14);
}

TEST_F(PreferencesDialogTest, DirectoriesAreStoredAsTypedAndReadBack) {
    m_program->refreshCatalogues();
    const std::string startDir = m_program->environment.SodDirs().front();
    const std::string dir = MakeDir("my games"), missing = dir + "/missing";
    struct Row {
        const char* name;
        std::string typed, running, catalogue;
        QStringList errors;
    };
    const Row rows[] = {
        {"plain path", dir, dir, dir, {}},
        {"blanks and quotation marks", "  \"" + dir + "\"  ", dir, dir, {}},
        {"empty field", "", "", dir, {}},
        {"unreachable",
         missing,
         missing,
         dir,
         {QString::fromStdString("Cannot access SOD directory: " + missing),
          QString::fromStdString("Cannot access ODF directory: " + missing)}},
    };
    EXPECT_NE(startDir, dir);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_desktop.ClearHistory();
        m_desktop.openWhenShown.clear();
        QFile::remove(PrefsPath());
        m_dialog->show();
        Type(C().addonDirEdit, row.typed);
        Type(C().sodDirEdit, row.typed);
        Ok();
        EXPECT_FALSE(m_dialog->isVisible());
        EXPECT_EQ(m_program->dirs.addon, row.running);
        EXPECT_EQ(m_program->dirs.sod, row.running);
        EXPECT_EQ(m_program->environment.AddonDirs(), std::vector<std::string>{Canonical(row.catalogue)});
        EXPECT_EQ(m_program->environment.SodDirs(), std::vector<std::string>{Canonical(row.catalogue)});
        EXPECT_EQ(Shown(Kind::Error), row.errors);
        EXPECT_EQ(m_desktop.openWhenShown, std::vector<bool>(row.errors.size(), true));
        EXPECT_EQ(Stored("Application", "Version"), "1.1");
    }
}

TEST_F(PreferencesDialogTest, UnwritablePrefsKeepsTheDialogOpen) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"prefs.ini is a directory", [this] { QDir().mkpath(PrefsPath()); }},
        {"program directory removed", [this] { QDir(AppDir()).removeRecursively(); }},
    };
    for (const auto& [name, breakPrefs] : rows) {
        SCOPED_TRACE(name);
        breakPrefs();
        m_desktop.ClearHistory();
        m_desktop.openWhenShown.clear();
        m_dialog->show();
        Ok();
        ASSERT_EQ(m_desktop.History().size(), 1u);
        EXPECT_EQ(m_desktop.History()[0].kind, Kind::Exception);
        EXPECT_EQ(m_desktop.History()[0].caption, "Varko");
        EXPECT_EQ(m_desktop.History()[0].text, "Unable to write to " + PrefsPath() + ".");
        EXPECT_EQ(m_desktop.openWhenShown, std::vector<bool>{true});
        EXPECT_TRUE(m_program->journal.empty());
        EXPECT_TRUE(m_dialog->isVisible());
        Cancel();
        EXPECT_FALSE(m_dialog->isVisible());
        QDir(AppDir()).removeRecursively();
        QDir().mkpath(AppDir());
    }
}

TEST_F(PreferencesDialogTest, EditorFontIsFoundIgnoringCase) {
    const std::pair<QString, QString> rows[] = {
        {ListedFamily(), ListedFamily()},
        {ListedFamily().toUpper(), ListedFamily()},
        {QStringLiteral("No Such Font"), QString()}, // nothing selected; the editor keeps its font
    };
    for (const auto& [running, selected] : rows) {
        SCOPED_TRACE(running.toStdString());
        m_program->fontName = running;
        m_dialog->show();
        EXPECT_EQ(C().fontBox->currentIndex() < 0, selected.isEmpty());
        EXPECT_EQ(C().fontBox->currentText(), selected);
        Ok();
        EXPECT_EQ(Stored("Display", "editorfont"), selected.toStdString());
        EXPECT_EQ(m_program->fontName, selected.isEmpty() ? running : selected);
    }
}

TEST_F(PreferencesDialogTest, FontSizeHeldWithinRange) {
    struct Row {
        const char* name;
        int running;
        const char* typed; // nullptr: the field is left alone
        int upClicks;      // negative: down
        const char* shown;
        int stored;
    };
    const Row rows[] = {
        {"in range", 12, nullptr, 0, "12", 12},
        {"100 shown as 72", 100, nullptr, 0, "72", 72},
        {"3 shown as 8", 3, nullptr, 0, "8", 8},
        {"typed 20", 12, "20", 0, "12", 20},
        {"typed 7 keeps the position", 12, "7", 0, "12", 12},
        {"typed 73 keeps the position", 12, "73", 0, "12", 12},
        {"typed word keeps the position", 12, "big", 0, "12", 12},
        {"typed fraction keeps the position", 12, "12.5", 0, "12", 12},
        {"arrows stop at 72", 71, nullptr, 3, "71", 72},
        {"arrows stop at 8", 9, nullptr, -3, "9", 8},
        {"arrows step from a typed size", 12, "20", 1, "12", 21},
        {"arrows step from the position past a word", 12, "big", -1, "12", 11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_program->fontSize = row.running;
        m_dialog->show();
        EXPECT_EQ(C().fontSizeEdit->text(), row.shown);
        if (row.typed)
            Type(C().fontSizeEdit, row.typed);
        for (int i = 0; i < std::abs(row.upClicks); ++i)
            QTest::mouseClick(row.upClicks > 0 ? C().fontSizeUpDown->upArrow()
                                               : C().fontSizeUpDown->downArrow(),
                              Qt::LeftButton);
        Ok();
        EXPECT_EQ(Stored("Display", "editorfontsize"), std::to_string(row.stored));
        EXPECT_EQ(m_program->fontSize, row.stored);
    }
}

// The two boxes show what the program checks now; OK stores and applies what is ticked, Cancel
// neither stores nor applies.
TEST_F(PreferencesDialogTest, CheckingBoxesShowStoreAndApply) {
    struct Row {
        const char* name;
        bool runningLive, runningExtra;
        bool tickedLive, tickedExtra;
        bool ok;
    };
    const Row rows[] = {
        {"both kept on", true, true, true, true, true},
        {"live check switched off", true, true, false, true, true},
        {"extra checks switched off", true, true, true, false, true},
        {"both switched on", false, false, true, true, true},
        {"cancelled", true, false, false, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(PrefsPath());
        m_program->liveCheck = row.runningLive;
        m_program->extra = row.runningExtra;
        m_dialog->show();
        EXPECT_EQ(C().liveCheckBox->isChecked(), row.runningLive);
        EXPECT_EQ(C().extraChecksBox->isChecked(), row.runningExtra);
        if (C().liveCheckBox->isChecked() != row.tickedLive)
            QTest::mouseClick(C().liveCheckBox, Qt::LeftButton);
        if (C().extraChecksBox->isChecked() != row.tickedExtra)
            QTest::mouseClick(C().extraChecksBox, Qt::LeftButton);
        row.ok ? Ok() : Cancel();
        const bool live = row.ok ? row.tickedLive : row.runningLive;
        const bool extra = row.ok ? row.tickedExtra : row.runningExtra;
        EXPECT_EQ(m_program->liveCheck, live);
        EXPECT_EQ(m_program->extra, extra);
        EXPECT_EQ(Stored("Checking", "LiveCheck"), row.ok ? (live ? "1" : "0") : "<missing>");
        EXPECT_EQ(Stored("Checking", "ExtraChecks"), row.ok ? (extra ? "1" : "0") : "<missing>");
    }
}

TEST_F(PreferencesDialogTest, ResetBoxErasesWindowEachTimeAndSwitchesPlacementOff) {
    for (const bool checked : {false, true, true}) {
        WritePrefs("[Window]\r\nFormVersion=0\r\nShowCmd=1\r\n");
        m_dialog->show();
        C().resetPlacementBox->setChecked(checked);
        Ok();
        EXPECT_EQ(Stored("Window", "ShowCmd"), checked ? "<missing>" : "1");
        EXPECT_EQ(m_program->placementActive, !checked);
    }
    EXPECT_EQ(std::count_if(m_program->journal.begin(), m_program->journal.end(),
                            [](const std::string& entry) { return entry.starts_with("switchPlacementOff"); }),
              2);
}

} // namespace
} // namespace varko::pref
