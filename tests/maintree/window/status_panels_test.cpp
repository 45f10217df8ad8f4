#include "app_fixture.h"
#include "varko/maintree/document/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/main_window.h"
#include "varko/maintree/window/status_panels.h"

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

} // namespace
} // namespace varko::maintree
