#include "form1_preferences.h"
#include "varko/about/t_about_frm.h"
#include "varko/help/t_form2.h"
#include "varko/maintree/t_form1.h"
#include "varko/platform/qt_desktop.h"
#include "varko/platform/version_info.h"
#include "varko/pref/t_pref_frm.h"

#include <QApplication>

using namespace varko;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    platform::QtDesktop desktop;
    desktop.SetApplicationTitle(QStringLiteral("Varko"));

    maintree::TForm1 form1(desktop, {QCoreApplication::applicationDirPath(), application.arguments().mid(1)});
    about::TAboutFrm aboutFrm(desktop, platform::ProductVersion(), platform::FileVersion(), &form1);
    app::Form1Preferences preferences(form1);
    pref::TPrefFrm prefFrm(desktop,
                           {form1.PrefsIni(), form1.AppDir(), platform::ProductVersion().toStdString()},
                           preferences, &form1);
    help::TForm2 form2;
    form1.SetPreferencesDialog([&prefFrm] { prefFrm.exec(); });
    form1.SetAboutBox([&aboutFrm] { aboutFrm.exec(); });

    form1.show();
    return application.exec();
}
