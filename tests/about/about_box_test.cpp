#include "dialog_fixture.h"
#include "varko/about/about_picture.h"
#include "varko/about/link_label.h"
#include "varko/about/t_about_frm.h"
#include "varko/help/web_links.h"

#include <QAbstractButton>
#include <QTest>

namespace varko::about {
namespace {

using Kind = platform::ScriptedDesktop::Kind;
using AboutFrmTest = testing::DialogFixture;

TEST_F(AboutFrmTest, SameLabelsEachTimeItOpens) {
    const std::pair<const char*, const char*> versions[][2] = {
        {{"1.1", "1.1.1.9"}, {"Version 1.1 (1.1.1.9)", ""}},
        {{"", ""}, {"Version  ()", "without a version record"}},
    };
    for (const auto& [strings, expected] : versions) {
        SCOPED_TRACE(expected.first);
        TAboutFrm frm(m_desktop, strings.first, strings.second);
        const std::pair<QLabel*, QString> labels[] = {
            {frm.Label1, QStringLiteral("Varko Workshop")},
            {frm.Label2, QString::fromLatin1(expected.first)},
            {frm.Label6, QStringLiteral("Remember to goto the VARKO website to check for updates!")},
            {frm.Label5, help::HomePageUrl()},
        };
        for (int pass = 0; pass < 2; ++pass) {
            frm.show();
            for (const auto& [label, text] : labels) {
                EXPECT_EQ(label->text(), text);
                EXPECT_EQ(label->accessibleName(), text);
            }
            EXPECT_FALSE(frm.Label3->text().isEmpty() || frm.Label4->text().isEmpty());
            frm.close();
            EXPECT_FALSE(frm.isVisible());
        }
    }
}

TEST_F(AboutFrmTest, FixedBoxWithPictureLinkAndNoButtons) {
    TAboutFrm frm(m_desktop, "1.1", "1.1.1.9");
    frm.show();
    EXPECT_EQ(frm.windowTitle(), "About varko...");
    EXPECT_EQ(frm.size(), QSize(317, 273));
    EXPECT_EQ(frm.minimumSize(), frm.maximumSize());
    EXPECT_TRUE(frm.findChildren<QAbstractButton*>().isEmpty());
    QTest::keyClick(&frm, Qt::Key_Escape);
    EXPECT_TRUE(frm.isVisible()) << "only the close box closes the about box";
    EXPECT_EQ(frm.Image1->geometry(), QRect(0, 0, 81, 273));
    const QImage picture = frm.Image1->grab().toImage();
    EXPECT_NE(picture.pixelColor(40, 5), picture.pixelColor(40, 265)) << "the picture is drawn";
    EXPECT_TRUE(frm.Label1->font().bold());
    EXPECT_EQ(frm.Label5->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(frm.Label5->font().underline());
    EXPECT_EQ(frm.Label5->palette().color(QPalette::WindowText), QColor(Qt::blue));

    QTest::mouseClick(frm.Label5, Qt::RightButton);
    QTest::mouseClick(frm.Label1, Qt::LeftButton);
    EXPECT_TRUE(m_desktop.History().empty());
    QTest::mouseClick(frm.Label5, Qt::LeftButton);
    EXPECT_EQ(Shown(Kind::OpenTarget), QStringList{frm.Label5->text()});
}

// Keyboard users reach the link with Tab and follow it with Return, Enter or Space.
TEST_F(AboutFrmTest, LinkFollowsFromTheKeyboard) {
    TAboutFrm frm(m_desktop, "1.1", "1.1.1.9");
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.activateWindow();
    frm.Label5->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(frm.focusWidget(), frm.Label5);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A})
        QTest::keyClick(frm.Label5, key);
    EXPECT_EQ(Shown(Kind::OpenTarget).size(), 3);
}

} // namespace
} // namespace varko::about
