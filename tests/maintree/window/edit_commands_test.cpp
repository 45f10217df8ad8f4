#include "app_fixture.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/main_window.h"

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
        m_window = MakeWindow();
        m_editor = &m_window->editor();
    }

    std::unique_ptr<MainWindow> m_window;
    EditorPane* m_editor = nullptr;
};

class EditorCommands : public EditorStatus {
protected:
    void SetUp() override {
        EditorStatus::SetUp();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_editor->setPlainText("alpha beta");
        m_editor->setFocus();
    }
    void FocusMessageList() {
        QListWidget* list = m_window->layout().messageList;
        list->show();
        list->setFocus();
        ASSERT_EQ(m_window->focusWidget(), list);
    }
};

TEST_F(EditorCommands, ClipboardCommandsActOnlyWhileTheEditorHasTheFocus) {
    QApplication::clipboard()->setText("untouched");
    m_window->editActions().selectAll()->trigger();
    m_window->editActions().copy()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta");

    QApplication::clipboard()->setText("untouched");
    FocusMessageList();
    for (QAction* command :
         {m_window->editActions().copy(), m_window->editActions().cut(), m_window->editActions().paste()})
        command->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");

    m_editor->setFocus();
    m_window->editActions().paste()->trigger();
    EXPECT_EQ(m_editor->toPlainText(), "untouched");
}

TEST_F(EditorCommands, UndoAndRedoKeysWorkFromAnyControl) {
    QTest::keyClicks(m_editor, "!");
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
    FocusMessageList();
    QTest::keyClick(m_window->layout().messageList, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");
    QTest::keyClick(m_window->layout().messageList, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_editor->toPlainText(), "!alpha beta");
}

} // namespace
} // namespace varko::maintree
