#include "assist_fixture.h"

#include "varko/maintree/assist/hover_tips.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

using language::PropertyCatalog;

using testing::PrintTo;

class HoverOverTheEditor : public ::testing::Test {
protected:
    HoverOverTheEditor()
        : m_catalog(testing::SampleCatalog()),
          m_tips(
              &m_editor,
              {testing::TypesOf(m_catalog),
               [this](std::string_view name) { return m_catalog.SectionsOf(name); },
               testing::FakeFileSources({"laser.odf"}, {})},
              [] { return QStringLiteral("/mod/addon/tank.odf"); },
              [](int line) {
                  return line == 1 ? QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1")
                                   : QString();
              }) {
        m_editor.setPlainText(QStringLiteral("weaponName1 = laser\nturboBoost = 1"));
        m_editor.resize(600, 200);
        m_editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    }
    // The middle of the character at a line and column.
    QPoint over(int line, int column) const {
        QTextCursor cursor(m_editor.document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        const QRect left = m_editor.cursorRect(cursor);
        cursor.movePosition(QTextCursor::NextCharacter);
        return QPoint((left.center().x() + m_editor.cursorRect(cursor).center().x()) / 2, left.center().y());
    }

    PropertyCatalog m_catalog;
    QPlainTextEdit m_editor;
    HoverTips m_tips;
};

TEST_F(HoverOverTheEditor, TipsNameWhatIsUnderTheMouseAfterTheLinesFaults) {
    EXPECT_EQ(m_tips.textAt(over(0, 16)), QStringLiteral("laser.odf: found in /mod/addon"));
    EXPECT_EQ(m_tips.textAt(over(0, 3)), QStringLiteral("weaponName1: odf\nKnown in: [craft]"));
    EXPECT_EQ(m_tips.textAt(over(1, 2)),
              QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1\nturboBoost: not declared"));
    EXPECT_EQ(m_tips.textAt(QPoint(over(1, 2).x() + 400, over(1, 2).y())),
              QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1"));
    EXPECT_EQ(m_tips.textAt(QPoint(over(0, 2).x() + 400, over(0, 2).y())), QString());
}

TEST_F(HoverOverTheEditor, ATooltipEventShowsTheTip) {
    const QPoint point = over(0, 16);
    QHelpEvent help(QEvent::ToolTip, point, m_editor.viewport()->mapToGlobal(point));
    EXPECT_TRUE(QCoreApplication::sendEvent(m_editor.viewport(), &help));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("laser.odf: found in /mod/addon"));
    QToolTip::hideText();
}

} // namespace
} // namespace varko::maintree
