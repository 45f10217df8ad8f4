#include "dialog_fixture.h"
#include "varko/help/web_links.h"

namespace varko::help {
namespace {

using Kind = platform::ScriptedDesktop::Kind;
using WebLinks = testing::DialogFixture;

TEST_F(WebLinks, HelpAndHomePageTargets) {
    const std::pair<QString, QString> rows[] = {
        {"/opt/varko/", "file:///opt/varko/help.htm"},
        {"/home/me/My Games/Varko Workshop/", "file:///home/me/My Games/Varko Workshop/help.htm"},
        {"C:\\Program Files\\Varko\\", "file:///C:\\Program Files\\Varko\\help.htm"},
    };
    for (const auto& [appDir, target] : rows)
        EXPECT_EQ(help::HelpTarget(appDir), target);
    help::OpenHelpPage(m_desktop, AppDir());
    help::OpenHomePage(m_desktop);
    EXPECT_EQ(Shown(Kind::OpenTarget), (QStringList{"file://" + AppDir() + "help.htm", help::HomePageUrl()}));
    EXPECT_TRUE(AppDir().contains(' '));
}

} // namespace
} // namespace varko::help
