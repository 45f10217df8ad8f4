#include "assist_fixture.h"

#include "varko/maintree/assist/quick_fix.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

using testing::PrintTo;

using compiler::Finding;
using language::FixSuggestion;
using language::PropertyCatalog;

class QuickFixing : public ::testing::Test {
protected:
    QuickFixing()
        : m_catalog(testing::SampleCatalog()), m_fix(&m_editor, testing::FixSourcesFor(m_catalog),
                                                     [] { return QStringLiteral("/mod/addon/tank.odf"); }) {
        m_editor.setPlainText(
            QStringLiteral("#include \"unitbse.odf\"\nweaponName1 = lazer // gun\nmaxHealth = 5"));
        m_fix.setFindings({{1, 10, "M4", {"unitbse.odf"}}, {2, 15, "M3", {"lazer.odf"}}});
    }

    PropertyCatalog m_catalog;
    QPlainTextEdit m_editor;
    QuickFix m_fix;
};

TEST_F(QuickFixing, ReplacesTheNameInOneUndoStep) {
    const std::vector<FixSuggestion> suggestions = m_fix.suggestionsForLine(2);
    ASSERT_EQ(suggestions.size(), 1u);
    ASSERT_TRUE(m_fix.apply(suggestions.front()));
    EXPECT_EQ(m_editor.toPlainText(),
              QStringLiteral("#include \"unitbse.odf\"\nweaponName1 = laser // gun\nmaxHealth = 5"));
    m_editor.undo();
    EXPECT_EQ(m_editor.toPlainText(),
              QStringLiteral("#include \"unitbse.odf\"\nweaponName1 = lazer // gun\nmaxHealth = 5"));
    EXPECT_FALSE(m_editor.document()->isUndoAvailable());
}

TEST_F(QuickFixing, ALineChangedSinceTheCheckIsLeftAlone) {
    const std::vector<FixSuggestion> suggestions = m_fix.suggestionsForLine(2);
    ASSERT_EQ(suggestions.size(), 1u);
    m_editor.setPlainText(QStringLiteral("#include \"unitbse.odf\"\nweaponName1 = la"));
    QSignalSpy status(&m_fix, &QuickFix::statusMessage);
    EXPECT_FALSE(m_fix.apply(suggestions.front()));
    EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("#include \"unitbse.odf\"\nweaponName1 = la"));
    EXPECT_EQ(status.count(), 1);
}

TEST_F(QuickFixing, ContextMenuActionsApplyTheirFix) {
    QMenu contextMenu;
    const QList<QAction*> actions = m_fix.actionsForLine(1, &contextMenu);
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.front()->text(), QStringLiteral("Change \"unitbse.odf\" to \"unitbase.odf\""));
    actions.front()->trigger();
    EXPECT_EQ(m_editor.document()->firstBlock().text(), QStringLiteral("#include \"unitbase.odf\""));
    EXPECT_TRUE(m_fix.actionsForLine(3, &contextMenu).isEmpty());
}

TEST_F(QuickFixing, TheMenuOpensAtTheCaretAndItsItemsWorkForScreenReaders) {
    m_editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    QTextCursor caret(m_editor.document()->findBlockByNumber(1));
    m_editor.setTextCursor(caret);
    m_fix.showMenu();
    QMenu* menu = m_fix.menu();
    ASSERT_TRUE(menu->isVisible());
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(menu);
    EXPECT_EQ(spoken->text(QAccessible::Name), QStringLiteral("Quick Fix"));
    ASSERT_EQ(spoken->childCount(), 1);
    QAccessibleInterface* item = spoken->child(0);
    EXPECT_EQ(item->text(QAccessible::Name), QStringLiteral("Change \"lazer\" to \"laser\""));
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(m_editor.document()->findBlockByNumber(1).text(),
                 QStringLiteral("weaponName1 = laser // gun"));
}

TEST_F(QuickFixing, NothingToOfferIsSaidInTheStatus) {
    QSignalSpy status(&m_fix, &QuickFix::statusMessage);
    m_editor.setTextCursor(QTextCursor(m_editor.document()->findBlockByNumber(2)));
    m_fix.showMenu();
    EXPECT_FALSE(m_fix.menu()->isVisible());
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("No quick fix for this line"));
}

} // namespace
} // namespace varko::maintree
