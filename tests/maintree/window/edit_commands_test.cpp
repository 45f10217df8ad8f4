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

// The editing commands as the window offers them: its Edit menu, its context menu and their keys.
class EditorStatus : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteAcceptedPrefs();
        m_form = MakeForm();
        m_editor = m_form->Editor();
    }

    std::unique_ptr<TForm1> m_form;
    EditorPane* m_editor = nullptr;
};

class EditorCommands : public EditorStatus {
protected:
    void SetUp() override {
        EditorStatus::SetUp();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        m_editor->setPlainText("alpha beta");
        m_editor->setFocus();
    }
    void FocusMessageList() {
        QListWidget* list = m_form->Layout().MsgList;
        list->show();
        list->setFocus();
        ASSERT_EQ(m_form->focusWidget(), list);
    }
};

TEST_F(EditorCommands, ClipboardCommandsActOnlyWhileTheEditorHasTheFocus) {
    QApplication::clipboard()->setText("untouched");
    m_form->Menu().SelectAll1->trigger();
    m_form->Menu().Copy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta");

    QApplication::clipboard()->setText("untouched");
    FocusMessageList();
    for (QAction* command : {m_form->Menu().Copy1, m_form->Menu().Cut1, m_form->Menu().Paste1})
        command->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");

    m_editor->setFocus();
    m_form->Popup().Paste2->trigger();
    EXPECT_EQ(m_editor->toPlainText(), "untouched");
}

TEST_F(EditorCommands, UndoAndRedoKeysWorkFromAnyControl) {
    QTest::keyClicks(m_editor, "!");
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
    FocusMessageList();
    QTest::keyClick(m_form->Layout().MsgList, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");
    QTest::keyClick(m_form->Layout().MsgList, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
}

} // namespace
} // namespace varko::maintree
