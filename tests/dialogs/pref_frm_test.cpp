#include "dialog_fixture.h"
#include "varko/pref/t_pref_frm.h"
#include "varko/pref/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
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

class PrefFrmTest : public testing::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        m_program->fontName = ListedFamily();
        m_desktop.SetApplicationTitle(QStringLiteral("Varko"));
        m_frm = MakeFrm(*m_program);
    }
    std::unique_ptr<TPrefFrm> MakeFrm(testing::Program& program) {
        auto frm = std::make_unique<TPrefFrm>(m_desktop,
                                              SettingsFile{*m_prefs, AppDir().toStdString(), "1.1"}, program);
        m_desktop.watched = frm.get();
        return frm;
    }
    const PrefControls& C() const { return m_frm->Controls(); }
    void Ok() { QTest::mouseClick(C().Button1, Qt::LeftButton); }
    void Cancel() { QTest::mouseClick(C().Button2, Qt::LeftButton); }
    static void Type(QLineEdit* field, const std::string& text) {
        field->clear();
        QTest::keyClicks(field, QString::fromStdString(text));
    }

    std::unique_ptr<TPrefFrm> m_frm;
};

TEST_F(PrefFrmTest, ControlsNamesTabOrderAndFontList) {
    m_frm->show();
    EXPECT_EQ(m_frm->windowTitle(), "Preference");
    EXPECT_EQ(m_frm->size(), QSize(311, 343));
    EXPECT_EQ(m_frm->minimumSize(), m_frm->maximumSize());
    EXPECT_EQ(m_frm->focusWidget(), C().Button1);
    // A field is named by its label; every other control by its caption.
    for (QLabel* label : m_frm->findChildren<QLabel*>()) {
        EXPECT_EQ(label->accessibleName(), label->text());
        if (label->buddy()) {
            EXPECT_EQ(label->buddy()->accessibleName(), label->text()) << label->objectName().toStdString();
        }
    }
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(C().Button1), static_cast<QAbstractButton*>(C().Button2),
          static_cast<QAbstractButton*>(C().CB_wrap), static_cast<QAbstractButton*>(C().cb_resetpos)})
        EXPECT_EQ(button->accessibleName(), button->text());
    EXPECT_EQ(C().SizeUp->accessibleName(), "Size");

    QStringList order;
    for (QWidget* at = C().Button1; order.size() < 9; at = at->nextInFocusChain()) {
        if ((at->focusPolicy() & Qt::TabFocus) && !at->objectName().isEmpty())
            order << at->objectName();
    }
    EXPECT_EQ(order.join(' '), "Button1 Button2 Edit1 Edit2 FontBox EditFontSize SizeUp CB_wrap cb_resetpos");

    QStringList listed, families = QFontDatabase::families();
    for (int i = 0; i < C().FontBox->count(); ++i)
        listed << C().FontBox->itemText(i);
    families.removeDuplicates();
    families.sort(Qt::CaseInsensitive);
    EXPECT_EQ(listed, families);
    EXPECT_FALSE(C().FontBox->isEditable());
}

// What prefs.ini holds plays no part: the fields show what the program runs with, every time.
TEST_F(PrefFrmTest, CancelOrCloseBoxChangesNothing) {
    WritePrefs("[Dirs]\r\nAddon=/stored/addon\r\n[Display]\r\neditorfontsize=30\r\n");
    m_program->wordWrap = true;
    const compiler::GameDirs running = m_program->dirs;
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Cancel", [this] { Cancel(); }},
        {"close box", [this] { m_frm->close(); }},
    };
    for (const auto& [name, closeDialog] : ways) {
        SCOPED_TRACE(name);
        m_frm->show();
        EXPECT_EQ(C().Edit1->text().toStdString(), running.addon);
        EXPECT_EQ(C().Edit2->text().toStdString(), running.sod);
        EXPECT_EQ(C().FontBox->currentText(), m_program->fontName);
        EXPECT_EQ(C().EditFontSize->text(), "10");
        EXPECT_TRUE(C().CB_wrap->isChecked());
        EXPECT_EQ(C().cb_resetpos->isChecked(), name != ways[0].first) << "the reset box keeps its mark";
        Type(C().Edit1, "/changed/addon");
        Type(C().Edit2, "/changed/sod");
        C().FontBox->setCurrentIndex(C().FontBox->currentIndex() == 0 ? 1 : 0);
        QTest::mouseClick(C().SizeUp->UpArrow(), Qt::LeftButton);
        EXPECT_EQ(C().EditFontSize->text(), "11");
        C().CB_wrap->setChecked(false);
        C().cb_resetpos->setChecked(true);
        QTest::keyClick(C().Edit1, Qt::Key_Escape);
        EXPECT_TRUE(m_frm->isVisible()) << "Escape does not close the dialog";
        closeDialog();
        EXPECT_FALSE(m_frm->isVisible());
        EXPECT_EQ(Stored("Dirs", "Addon"), "/stored/addon");
        EXPECT_EQ(Stored("Dirs", "Sod"), "<missing>");
        EXPECT_TRUE(m_program->journal.empty());
        EXPECT_EQ(m_program->dirs.addon, running.addon);
        EXPECT_EQ(m_program->dirs.sod, running.sod);
        EXPECT_EQ(m_program->fontName, ListedFamily());
        EXPECT_TRUE(m_program->placementActive);
    }
}

TEST_F(PrefFrmTest, OkWithoutChangesWritesEverySetting) {
    for (const bool pointedBefore : {false, true}) {
        SCOPED_TRACE(pointedBefore ? "catalogues already pointed" : "first start");
        QFile::remove(PrefsPath());
        testing::Program program(m_desktop, *m_prefs);
        program.dirs = m_program->dirs;
        program.fontName = ListedFamily();
        if (pointedBefore)
            program.RefreshCatalogues();
        const QString late = QString::fromStdString(program.dirs.addon + "/late.odf");
        const QString lateText = QString::fromStdString(program.dirs.addon + "/late.txt");
        QFile(late).open(QIODevice::WriteOnly);
        QFile(lateText).open(QIODevice::WriteOnly);
        auto frm = MakeFrm(program);
        frm->show();
        QTest::mouseClick(frm->Controls().Button1, Qt::LeftButton);

        EXPECT_FALSE(frm->isVisible());
        EXPECT_EQ(StoredKeys(), (std::vector<std::string>{"Dirs.Addon", "Dirs.Sod", "Display.wordwrap",
                                                          "Display.editorfont", "Display.editorfontsize",
                                                          "Application.Version"}));
        const std::string values[] = {Stored("Dirs", "Addon"),
                                      Stored("Dirs", "Sod"),
                                      Stored("Display", "wordwrap"),
                                      Stored("Display", "editorfont"),
                                      Stored("Display", "editorfontsize"),
                                      Stored("Application", "Version")};
        EXPECT_EQ(std::vector(std::begin(values), std::end(values)),
                  (std::vector<std::string>{program.dirs.addon, program.dirs.sod, "0",
                                            ListedFamily().toStdString(), "10", "1.1"}));
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

TEST_F(PrefFrmTest, AcceptingWritesAndAppliesInOrder) {
    WritePrefs("[Window]\r\nFormVersion=0\r\n");
    m_frm->show();
    C().CB_wrap->setChecked(true);
    Type(C().EditFontSize, "14");
    C().cb_resetpos->setChecked(true);
    Ok();
    const std::string dirs = " | Window.FormVersion Dirs.Addon Dirs.Sod";
    const std::string display = " Display.wordwrap Display.editorfont Display.editorfontsize";
    EXPECT_EQ(m_program->journal, (std::vector<std::string>{
                                      "SetGameDirs" + dirs,
                                      "SetEditorWordWrap" + dirs + " Display.wordwrap",
                                      "SetEditorFontName" + dirs + display,
                                      "SetEditorFontSize" + dirs + display,
                                      "RefreshCatalogues" + dirs + display,
                                      "SwitchPlacementOff | Dirs.Addon Dirs.Sod" + display,
                                  }));
    EXPECT_EQ(StoredKeys().back(), "Application.Version");
    EXPECT_TRUE(m_program->wordWrap);
    EXPECT_EQ(m_program->fontSize, 14);
}

TEST_F(PrefFrmTest, DirectoriesAreStoredAsTypedAndReadBack) {
    m_program->RefreshCatalogues();
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
        m_frm->show();
        Type(C().Edit1, row.typed);
        Type(C().Edit2, row.typed);
        Ok();
        EXPECT_FALSE(m_frm->isVisible());
        EXPECT_EQ(m_program->dirs.addon, row.running);
        EXPECT_EQ(m_program->dirs.sod, row.running);
        EXPECT_EQ(m_program->environment.AddonDirs(), std::vector<std::string>{Canonical(row.catalogue)});
        EXPECT_EQ(m_program->environment.SodDirs(), std::vector<std::string>{Canonical(row.catalogue)});
        EXPECT_EQ(Shown(Kind::Error), row.errors);
        EXPECT_EQ(m_desktop.openWhenShown, std::vector<bool>(row.errors.size(), true));
        EXPECT_EQ(Stored("Application", "Version"), "1.1");
    }
}

TEST_F(PrefFrmTest, UnwritablePrefsKeepsTheDialogOpen) {
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"prefs.ini is a directory", [this] { QDir().mkpath(PrefsPath()); }},
        {"program directory removed", [this] { QDir(AppDir()).removeRecursively(); }},
    };
    for (const auto& [name, breakPrefs] : rows) {
        SCOPED_TRACE(name);
        breakPrefs();
        m_desktop.ClearHistory();
        m_desktop.openWhenShown.clear();
        m_frm->show();
        Ok();
        ASSERT_EQ(m_desktop.History().size(), 1u);
        EXPECT_EQ(m_desktop.History()[0].kind, Kind::Exception);
        EXPECT_EQ(m_desktop.History()[0].caption, "Varko");
        EXPECT_EQ(m_desktop.History()[0].text, "Unable to write to " + PrefsPath() + ".");
        EXPECT_EQ(m_desktop.openWhenShown, std::vector<bool>{true});
        EXPECT_TRUE(m_program->journal.empty());
        EXPECT_TRUE(m_frm->isVisible());
        Cancel();
        EXPECT_FALSE(m_frm->isVisible());
        QDir(AppDir()).removeRecursively();
        QDir().mkpath(AppDir());
    }
}

TEST_F(PrefFrmTest, EditorFontIsFoundIgnoringCase) {
    const std::pair<QString, QString> rows[] = {
        {ListedFamily(), ListedFamily()},
        {ListedFamily().toUpper(), ListedFamily()},
        {QStringLiteral("No Such Font"), QString()}, // nothing selected; the editor keeps its font
    };
    for (const auto& [running, selected] : rows) {
        SCOPED_TRACE(running.toStdString());
        m_program->fontName = running;
        m_frm->show();
        EXPECT_EQ(C().FontBox->currentIndex() < 0, selected.isEmpty());
        EXPECT_EQ(C().FontBox->currentText(), selected);
        Ok();
        EXPECT_EQ(Stored("Display", "editorfont"), selected.toStdString());
        EXPECT_EQ(m_program->fontName, selected.isEmpty() ? running : selected);
    }
}

TEST_F(PrefFrmTest, FontSizeHeldWithinRange) {
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
        m_frm->show();
        EXPECT_EQ(C().EditFontSize->text(), row.shown);
        if (row.typed)
            Type(C().EditFontSize, row.typed);
        for (int i = 0; i < std::abs(row.upClicks); ++i)
            QTest::mouseClick(row.upClicks > 0 ? C().SizeUp->UpArrow() : C().SizeUp->DownArrow(),
                              Qt::LeftButton);
        Ok();
        EXPECT_EQ(Stored("Display", "editorfontsize"), std::to_string(row.stored));
        EXPECT_EQ(m_program->fontSize, row.stored);
    }
}

TEST_F(PrefFrmTest, ResetBoxErasesWindowEachTimeAndSwitchesPlacementOff) {
    for (const bool checked : {false, true, true}) {
        WritePrefs("[Window]\r\nFormVersion=0\r\nShowCmd=1\r\n");
        m_frm->show();
        C().cb_resetpos->setChecked(checked);
        Ok();
        EXPECT_EQ(Stored("Window", "ShowCmd"), checked ? "<missing>" : "1");
        EXPECT_EQ(m_program->placementActive, !checked);
    }
    EXPECT_EQ(std::count_if(m_program->journal.begin(), m_program->journal.end(),
                            [](const std::string& entry) { return entry.starts_with("SwitchPlacementOff"); }),
              2);
}

} // namespace
} // namespace varko::pref
