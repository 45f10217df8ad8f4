#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/status_panels.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace varko::maintree {
namespace {

using testing::AppFixture;

TEST(PositionText, NumbersArePaddedToThreeAndNeverCut) {
    EXPECT_EQ(PositionText(1, 1), "  1:   1");
    EXPECT_EQ(PositionText(12, 5), " 12:   5");
    EXPECT_EQ(PositionText(1234, 10), "1234:  10");
}

class EditorStatus : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_window = MakeWindow();
        m_editor = &m_window->editor();
    }
    QString Panel(StatusPanel panel) const { return m_window->statusPanels().panelText(panel); }

    std::unique_ptr<MainWindow> m_window;
    EditorPane* m_editor = nullptr;
};

TEST_F(EditorStatus, PanelsFollowCaretSelectionAndModifiedFlag) {
    EXPECT_EQ(Panel(StatusPanel::Position), "");
    EXPECT_EQ(Panel(StatusPanel::Modified), "");
    m_window->documents().newDocument(Documents::Kind::Odf);
    EXPECT_EQ(Panel(StatusPanel::Position), "  1:   1");
    EXPECT_EQ(Panel(StatusPanel::Modified), "");
    QTest::keyClicks(m_editor, "x");
    EXPECT_EQ(Panel(StatusPanel::Position), "  1:   2");
    EXPECT_EQ(Panel(StatusPanel::Modified), "Modified");
    QTest::keyClick(m_editor, Qt::Key_Tab);
    EXPECT_EQ(Panel(StatusPanel::Position), "  1:   3");

    m_editor->setPlainText("line1\nline2\n0123456789abc\nline four\nfive");
    m_editor->setSelStart(m_editor->startOfLine(2) + 10);
    EXPECT_EQ(Panel(StatusPanel::Position), "  3:  11");
    m_editor->setSelStart(m_editor->startOfLine(1));
    m_editor->setSelLength(m_editor->startOfLine(3) + 4 - m_editor->startOfLine(1));
    EXPECT_EQ(Panel(StatusPanel::Position), "  4:   5");
    EXPECT_EQ(m_editor->textCursor().selectedText().size(), 24);
}

// A notice sits after the four panels and leaves their texts and descriptions alone; a screen
// reader finds it as a label while it shows.
TEST_F(EditorStatus, NoticeLeavesThePanelsAndIsReadableUntilItsTimeout) {
    StatusPanels& status = m_window->statusPanels();
    status.setPanelText(StatusPanel::CheckResult, "2 error(s) found");
    status.setPanelText(StatusPanel::FaultAtCaret, "Line 1: Error - x");
    status.showNotice("File not found: a.odf", 200);
    EXPECT_EQ(status.notice(), "File not found: a.odf");
    EXPECT_EQ(Panel(StatusPanel::CheckResult), "2 error(s) found");
    EXPECT_EQ(Panel(StatusPanel::FaultAtCaret), "Line 1: Error - x");
    QStringList shown;
    for (QLabel* label : status.findChildren<QLabel*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        if (label->isVisibleTo(&status) && face)
            shown << face->text(QAccessible::Description) + "=" + face->text(QAccessible::Name);
    }
    EXPECT_TRUE(shown.contains("Notice=File not found: a.odf")) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains("Check result=2 error(s) found")) << shown.join('|').toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return status.notice().isEmpty(); }, 2000));
    EXPECT_EQ(Panel(StatusPanel::FaultAtCaret), "Line 1: Error - x");
}

// Started without a file, every panel is empty until the caret first moves.
TEST_F(EditorStatus, PanelsStartEmptyWithoutAFile) {
    m_window->show();
    QCoreApplication::processEvents();
    for (StatusPanel panel :
         {StatusPanel::Position, StatusPanel::CheckResult, StatusPanel::Modified, StatusPanel::FaultAtCaret})
        EXPECT_EQ(Panel(panel), "") << static_cast<int>(panel);
}

} // namespace
} // namespace varko::maintree
