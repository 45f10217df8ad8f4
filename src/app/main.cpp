#include "form1_preferences.h"
#include "varko/about/about_box.h"
#include "varko/maintree/t_form1.h"
#include "varko/platform/qt_desktop.h"
#include "varko/platform/version_info.h"
#include "varko/pref/preferences_dialog.h"

#include <QApplication>

using namespace varko;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::QtDesktop desktop;
    desktop.SetApplicationTitle(QStringLiteral("Varko"));

    maintree::TForm1 form1(desktop, {QCoreApplication::applicationDirPath(), application.arguments().mid(1)});
    about::AboutBox aboutBox(desktop, platform::ProductVersion(), platform::FileVersion(), &form1);
    app::Form1Preferences preferences(form1);
    pref::PreferencesDialog preferencesDialog(
        desktop, {form1.PrefsIni(), form1.AppDir(), platform::ProductVersion().toStdString()}, preferences,
        &form1);
    form1.SetPreferencesDialog([&preferencesDialog] { preferencesDialog.exec(); });
    form1.SetAboutBox([&aboutBox] { aboutBox.exec(); });

    form1.show();
    return application.exec();
}
