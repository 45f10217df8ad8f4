#include "varko/help/web_links.h"

#include "varko/platform/desktop.h"

namespace varko::help {

QString HomePageUrl() {
    return QStringLiteral("https://varko-workshop.example.org/");
}

QString HelpTarget(const QString& appDir) {
    return QStringLiteral("file:///") + appDir + QStringLiteral("help.htm");
}

void OpenHomePage(platform::Desktop& desktop) {
    desktop.OpenTarget(HomePageUrl());
}

void OpenHelpPage(platform::Desktop& desktop, const QString& appDir) {
    desktop.OpenTarget(HelpTarget(appDir));
}

} // namespace varko::help
