#include "varko/help/web_links.h"

#include "varko/platform/desktop.h"

namespace varko::help {

QString HomePageUrl() {
    return QStringLiteral("https://varko-workshop.example.org/");
}

// "file:///" already holds the root's slash, so an absolute Unix directory gives up its own;
// "file:////opt/x" would name a network path "//opt/x" to some browsers.
QString HelpTarget(const QString& appDir) {
    QString dir = appDir;
    if (dir.startsWith(QLatin1Char('/')))
        dir.remove(0, 1);
    return QStringLiteral("file:///") + dir + QStringLiteral("help.htm");
}

void OpenHomePage(platform::Desktop& desktop) {
    desktop.OpenTarget(HomePageUrl());
}

void OpenHelpPage(platform::Desktop& desktop, const QString& appDir) {
    desktop.OpenTarget(HelpTarget(appDir));
}

} // namespace varko::help
