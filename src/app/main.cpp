#include "app_dirs.h"
#include "main_window_preferences.h"
#include "varko/about/about_box.h"
#include "varko/maintree/window/main_window.h"
#include "varko/platform/qt_desktop.h"
#include "varko/platform/version_info.h"
#include "varko/pref/preferences_dialog.h"

#include <QApplication>

using namespace varko;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::QtDesktop desktop;
    desktop.SetApplicationTitle(QStringLiteral("Varko"));

    const app::AppDirs dirs = app::ResolveAppDirs(QCoreApplication::applicationDirPath());
    maintree::MainWindow window(
        desktop, {dirs.data, application.arguments().mid(1), dirs.settings, dirs.recoveryFolder, dirs.help});
    about::AboutBox aboutBox(desktop, platform::ProductVersion(), platform::FileVersion(), &window);
    app::MainWindowPreferences preferences(window);
    pref::PreferencesDialog preferencesDialog(
        desktop, {window.prefsIni(), window.appDir(), platform::ProductVersion().toStdString()}, preferences,
        &window);
    window.setPreferencesDialog([&preferencesDialog] { preferencesDialog.exec(); });
    window.setAboutBox([&aboutBox] { aboutBox.exec(); });

    window.show();
    return application.exec();
}
