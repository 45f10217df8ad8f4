#include "varko/about/t_about_frm.h"
#include "varko/help/t_form2.h"
#include "varko/maintree/t_form1.h"
#include "varko/platform/qt_desktop.h"
#include "varko/pref/t_pref_frm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    varko::platform::QtDesktop desktop;
    desktop.SetApplicationTitle(QStringLiteral("Varko"));

    varko::maintree::TForm1 form1(desktop,
                                  {QCoreApplication::applicationDirPath(), application.arguments().mid(1)});
    varko::about::TAboutFrm aboutFrm(&form1);
    varko::pref::TPrefFrm prefFrm(&form1);
    varko::help::TForm2 form2;
    form1.SetPreferencesDialog([&prefFrm] { prefFrm.exec(); });

    form1.show();
    return application.exec();
}
