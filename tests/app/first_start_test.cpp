#include "app_fixture.h"
#include "main_window_preferences.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/placement/form_placement.h"
#include "varko/maintree/window/mod_features.h"
#include "varko/pref/preferences_dialog.h"
#include "varko/pref/up_down.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace varko::app {
namespace {

// The program as main() wires it: the main window opens the real preferences dialog, which acts
// on the main window through the adapter. The dialog is filled and accepted from the event loop
// that its own exec() runs.
class FirstStart : public testing::AppFixture {
protected:
    struct Program {
        std::unique_ptr<maintree::MainWindow> form;
        std::unique_ptr<MainWindowPreferences> target;
        std::unique_ptr<pref::PreferencesDialog> dialog;
        int opened = 0;
    };

    std::unique_ptr<Program> Start(std::function<void(const pref::PreferencesControls&)> fill) {
        auto program = std::make_unique<Program>();
        program->form = MakeWindow();
        program->target = std::make_unique<MainWindowPreferences>(*program->form);
        program->dialog = std::make_unique<pref::PreferencesDialog>(
            m_desktop, pref::SettingsFile{program->form->prefsIni(), program->form->appDir(), "1.1"},
            *program->target, program->form.get());
        Program* raw = program.get();
        program->form->setPreferencesDialog([raw, fill] {
            ++raw->opened;
            QTimer::singleShot(0, raw->dialog.get(), [raw, fill] {
                fill(raw->dialog->controls());
                QTest::mouseClick(raw->dialog->controls().okButton, Qt::LeftButton);
            });
            raw->dialog->exec();
        });
        program->form->show();
        return program;
    }

    std::string GameDir() const { return PathOf(QStringLiteral("game")).toStdString(); }
    QByteArray Prefs() const { return ReadFile(AppDir() + QStringLiteral("prefs.ini")); }
};

TEST_F(FirstStart, DialogOpensOnceAndOkAppliesAndStoresEverything) {
    ASSERT_TRUE(QDir().mkpath(PathOf(QStringLiteral("game"))));
    auto first = Start([this](const pref::PreferencesControls& c) {
        c.addonDirEdit->setText(QString::fromStdString(GameDir()));
        c.sodDirEdit->setText(QString::fromStdString(GameDir()));
        c.wordWrapBox->setChecked(true);
        c.fontSizeEdit->setText(QStringLiteral("14"));
        c.resetPlacementBox->setChecked(true);
        c.liveCheckBox->setChecked(false);
        c.extraChecksBox->setChecked(false);
    });
    EXPECT_EQ(first->opened, 1);
    maintree::EditorPane& editor = first->form->editor();
    EXPECT_TRUE(editor.wordWrap());
    EXPECT_EQ(editor.fontSize(), 14);
    EXPECT_EQ(first->form->gameDirs().addon, GameDir());
    EXPECT_FALSE(first->form->placement().active());
    EXPECT_FALSE(first->form->modFeatures().checkWhileTyping());
    EXPECT_FALSE(first->form->modFeatures().extraChecks());
    EXPECT_TRUE(m_desktop.Of(platform::ScriptedDesktop::Kind::Error).empty());

    const QByteArray stored = Prefs();
    for (const QByteArray& line :
         {QByteArray("Addon=") + GameDir().c_str(), QByteArray("Sod=") + GameDir().c_str(),
          QByteArray("wordwrap=1"), QByteArray("editorfontsize=14"),
          QByteArray("[Checking]\r\nLiveCheck=0\r\nExtraChecks=0\r\n"),
          QByteArray("[Application]\r\nVersion=1.1")})
        EXPECT_TRUE(stored.contains(line)) << line.toStdString() << " in " << stored.toStdString();
    first.reset(); // the placement store is off: the exit writes no [Window]
    EXPECT_FALSE(Prefs().contains("[Window]"));

    auto second = Start([](const pref::PreferencesControls&) {});
    EXPECT_EQ(second->opened, 0);
    EXPECT_TRUE(second->form->editor().wordWrap());
    EXPECT_EQ(second->form->editor().fontSize(), 14);
    EXPECT_FALSE(second->form->modFeatures().checkWhileTyping());
    EXPECT_FALSE(second->form->modFeatures().extraChecks());
}

} // namespace
} // namespace varko::app
