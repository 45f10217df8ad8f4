#pragma once

#include <QString>

namespace varko::platform {
class Desktop;
}

namespace varko::help {

// The project's home page, as the about box shows it.
QString HomePageUrl();

// "file:///" + the program directory (with its trailing separator) + "help.htm", nothing
// quoted or checked.
QString HelpTarget(const QString& appDir);

// Each is one request to the shell; whether the page appears is not followed up.
void OpenHomePage(platform::Desktop& desktop);
void OpenHelpPage(platform::Desktop& desktop, const QString& appDir);

} // namespace varko::help
