#include "app_fixture.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/status_panels.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
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
        m_form = MakeForm();
        m_editor = m_form->Editor();
    }
    QString Panel(int index) const { return m_form->StatusBar()->PanelText(index); }

    std::unique_ptr<TForm1> m_form;
    EditorPane* m_editor = nullptr;
};

TEST_F(EditorStatus, PanelsFollowCaretSelectionAndModifiedFlag) {
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(Panel(2), "");
    m_form->tb_NewClick(nullptr);
    EXPECT_EQ(Panel(0), "  1:   1");
    EXPECT_EQ(Panel(2), "");
    QTest::keyClicks(m_editor, "x");
    EXPECT_EQ(Panel(0), "  1:   2");
    EXPECT_EQ(Panel(2), "Modified");
    QTest::keyClick(m_editor, Qt::Key_Tab);
    EXPECT_EQ(Panel(0), "  1:   3");

    m_editor->setPlainText("line1\nline2\n0123456789abc\nline four\nfive");
    m_editor->setSelStart(m_editor->startOfLine(2) + 10);
    EXPECT_EQ(Panel(0), "  3:  11");
    m_editor->setSelStart(m_editor->startOfLine(1));
    m_editor->setSelLength(m_editor->startOfLine(3) + 4 - m_editor->startOfLine(1));
    EXPECT_EQ(Panel(0), "  4:   5");
    EXPECT_EQ(m_editor->textCursor().selectedText().size(), 24);
}

} // namespace
} // namespace varko::maintree
