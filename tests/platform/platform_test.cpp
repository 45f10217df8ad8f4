#include "qstring_printer.h"
#include "varko/platform/desktop.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/platform/version_info.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace varko::platform {
namespace {

TEST(ExceptionText, FullStopFollowsOnlyCharactersAfterTheDot) {
    struct Row {
        const char* name;
        QString message;
        QString shown;
    };
    const Row rows[] = {
        {"letter", "Cannot open file a.odf", "Cannot open file a.odf."},
        {"digit", "Unable to write to prefs1", "Unable to write to prefs1."},
        {"slash sorts after the dot", "Cannot create file /tmp/", "Cannot create file /tmp/."},
        {"dot itself", "Done.", "Done."},
        {"exclamation mark", "Stop!", "Stop!"},
        {"blank", "ends in blank ", "ends in blank "},
        {"hyphen sorts before the dot", "x-", "x-"},
        {"empty", "", ""},
        {"latin-1 letter", QString::fromLatin1("caf\xe9"), QString::fromLatin1("caf\xe9.")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ExceptionText(row.message), row.shown) << row.name;
}

TEST(NameFilters, EachDescriptionTakesItsPatterns) {
    EXPECT_EQ(NameFilters("ODF and TT Files|*.odf;*.tt|Text files|*.txt|All files|*.*"),
              QStringList({"ODF and TT Files (*.odf *.tt)", "Text files (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(NameFilters("Lonely description"), QStringList());
}

TEST(VersionStrings, EntryWinsOverTheFixedNumber) {
    EXPECT_EQ(VersionText("2.0 beta", {2, 0, 0, 1}), "2.0 beta");
    EXPECT_EQ(VersionText("", {2, 0, 65535, 1}), "2.0.65535.1");
    EXPECT_EQ(ProductVersion(), "1.1");
    EXPECT_EQ(FileVersion(), "1.1.1.9");
}

TEST(RunCommand, FailureIsShownWithTheTitleOfThatMoment) {
    ScriptedDesktop desktop;
    desktop.SetApplicationTitle("ship.odf - VARKO");
    RunCommand(desktop, [] { throw std::runtime_error("Cannot open file ship2.odf"); });
    ASSERT_EQ(desktop.History().size(), 1u);
    EXPECT_EQ(desktop.History()[0].kind, ScriptedDesktop::Kind::Exception);
    EXPECT_EQ(desktop.History()[0].caption, "ship.odf - VARKO");
    EXPECT_EQ(desktop.History()[0].text, "Cannot open file ship2.odf.");
}

} // namespace
} // namespace varko::platform
