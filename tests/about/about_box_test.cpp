#include "dialog_fixture.h"
#include "varko/about/about_box.h"
#include "varko/about/about_picture.h"
#include "varko/about/link_label.h"
#include "varko/help/web_links.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

namespace varko::about {
namespace {

using Kind = platform::ScriptedDesktop::Kind;
using AboutBoxTest = testing::DialogFixture;

TEST_F(AboutBoxTest, SameLabelsEachTimeItOpens) {
    const std::pair<const char*, const char*> versions[][2] = {
        {{"1.1", "1.1.1.9"}, {"Version 1.1 (1.1.1.9)", ""}},
        {{"", ""}, {"Version  ()", "without a version record"}},
    };
    for (const auto& [strings, expected] : versions) {
        SCOPED_TRACE(expected.first);
        AboutBox box(m_desktop, strings.first, strings.second);
        const std::pair<QLabel*, QString> labels[] = {
            {box.productName, QStringLiteral("Varko Workshop")},
            {box.versionLabel, QString::fromLatin1(expected.first)},
            {box.updateReminder, QStringLiteral("Remember to goto the VARKO website to check for updates!")},
            {box.homePageLink, help::HomePageUrl()},
        };
        for (int pass = 0; pass < 2; ++pass) {
            box.show();
            for (const auto& [label, text] : labels) {
                EXPECT_EQ(label->text(), text);
                EXPECT_EQ(label->accessibleName(), text);
            }
            EXPECT_FALSE(box.releaseLabel->text().isEmpty() || box.copyrightLabel->text().isEmpty());
            box.close();
            EXPECT_FALSE(box.isVisible());
        }
    }
}

TEST_F(AboutBoxTest, FixedBoxWithPictureLinkAndNoButtons) {
    AboutBox box(m_desktop, "1.1", "1.1.1.9");
    box.show();
    EXPECT_EQ(box.windowTitle(), "About varko...");
    EXPECT_EQ(box.size(), QSize(317, 273));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_TRUE(box.findChildren<QAbstractButton*>().isEmpty());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible()) << "only the close box closes the about box";
    EXPECT_EQ(box.picture->geometry(), QRect(0, 0, 81, 273));
    const QImage picture = box.picture->grab().toImage();
    EXPECT_NE(picture.pixelColor(40, 5), picture.pixelColor(40, 265)) << "the picture is drawn";
    EXPECT_TRUE(box.productName->font().bold());
    EXPECT_EQ(box.homePageLink->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(box.homePageLink->font().underline());
    EXPECT_EQ(box.homePageLink->palette().color(QPalette::WindowText), QColor(Qt::blue));

    QTest::mouseClick(box.homePageLink, Qt::RightButton);
    QTest::mouseClick(box.productName, Qt::LeftButton);
    EXPECT_TRUE(m_desktop.History().empty());
    QTest::mouseClick(box.homePageLink, Qt::LeftButton);
    EXPECT_EQ(Shown(Kind::OpenTarget), QStringList{box.homePageLink->text()});
}

// Keyboard users reach the link with Tab and follow it with Return, Enter or Space.
TEST_F(AboutBoxTest, LinkFollowsFromTheKeyboard) {
    AboutBox box(m_desktop, "1.1", "1.1.1.9");
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.activateWindow();
    box.homePageLink->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box.focusWidget(), box.homePageLink);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A})
        QTest::keyClick(box.homePageLink, key);
    EXPECT_EQ(Shown(Kind::OpenTarget).size(), 3);
}

// A screen reader follows the link through its press action, and hears it as before: the same
// name, role and focus action.
TEST_F(AboutBoxTest, LinkFollowsThroughItsAccessibleAction) {
    AboutBox box(m_desktop, "1.1", "1.1.1.9");
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(box.homePageLink);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(QAccessible::Name), help::HomePageUrl());
    EXPECT_EQ(link->role(), QAccessible::StaticText);
    QAccessibleActionInterface* actions = link->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList({QAccessibleActionInterface::pressAction(),
                                                   QAccessibleActionInterface::setFocusAction()}));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Shown(Kind::OpenTarget), QStringList{help::HomePageUrl()});
    actions->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(Shown(Kind::OpenTarget).size(), 1);
}

} // namespace
} // namespace varko::about
