#include "qstring_printer.h"
#include "varko/maintree/editor/edit_actions.h"
#include "varko/maintree/editor/editor_pane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>

namespace varko::maintree {
namespace {

// The editor beside another control that can take the focus, in a window of their own.
class EditActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_editor = new EditorPane(&m_window);
        m_other = new QLineEdit(&m_window);
        auto* column = new QVBoxLayout(&m_window);
        column->addWidget(m_editor);
        column->addWidget(m_other);
        m_actions = new EditActions(*m_editor);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_editor->setPlainText(QStringLiteral("alpha beta"));
    }

    // The items of the context menu as they are drawn while it is open: caption, and the key
    // when the menu shows it.
    QStringList ShownContextMenu() {
        QStringList items;
        QMenu* menu = m_actions->contextMenu();
        QTimer::singleShot(0, menu, [&] {
            for (QAction* action : menu->actions()) {
                QString item = action->isSeparator() ? QStringLiteral("-") : action->text();
                if (!action->shortcut().isEmpty() && action->isShortcutVisibleInContextMenu())
                    item += QStringLiteral("\t") + action->shortcut().toString();
                items << item;
            }
            menu->close();
        });
        menu->exec(m_editor->mapToGlobal(QPoint(5, 5)));
        return items;
    }

    QWidget m_window;
    EditorPane* m_editor = nullptr;
    QLineEdit* m_other = nullptr;
    EditActions* m_actions = nullptr;
};

TEST_F(EditActionsTest, TheContextMenuSharesTheActionsAndKeepsItsOwnCaptions) {
    const QList<QAction*> shared = {m_actions->undo(), m_actions->cut(), m_actions->copy(),
                                    m_actions->paste(), m_actions->selectAll()};
    QList<QAction*> inMenu;
    for (QAction* action : m_actions->contextMenu()->actions()) {
        if (!action->isSeparator())
            inMenu << action;
    }
    EXPECT_EQ(inMenu, shared);
    EXPECT_EQ(ShownContextMenu(), QStringList({"&Undo", "-", "Cu&t", "&Copy", "&Paste", "-", "Select &All"}));
    // Closed again, the actions carry the Edit menu's captions and keys.
    EXPECT_EQ(m_actions->selectAll()->text(), "Se&lect All");
    EXPECT_EQ(m_actions->undo()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(m_actions->redo()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(m_actions->contextMenu()->accessibleName(), "EditorPopup");
}

TEST_F(EditActionsTest, ClipboardCommandsNeedTheEditorsFocus) {
    struct Row {
        const char* name;
        std::function<QAction*(const EditActions&)> command;
        bool editorFocused;
        QString text;
        QString clipboard;
    };
    const Row rows[] = {
        {"copy, focused", &EditActions::copy, true, "alpha beta", "alpha beta"},
        {"copy, elsewhere", &EditActions::copy, false, "alpha beta", "untouched"},
        {"cut, focused", &EditActions::cut, true, "", "alpha beta"},
        {"cut, elsewhere", &EditActions::cut, false, "alpha beta", "untouched"},
        {"paste, focused", &EditActions::paste, true, "untouched", "untouched"},
        {"paste, elsewhere", &EditActions::paste, false, "alpha beta", "untouched"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_editor->setPlainText(QStringLiteral("alpha beta"));
        m_editor->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        (row.editorFocused ? static_cast<QWidget*>(m_editor) : m_other)->setFocus();
        row.command(*m_actions)->trigger();
        EXPECT_EQ(m_editor->toPlainText(), row.text);
        EXPECT_EQ(QApplication::clipboard()->text(), row.clipboard);
    }
}

TEST_F(EditActionsTest, SelectAllNeedsTheEditorsFocus) {
    for (const bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "elsewhere");
        m_editor->moveCursor(QTextCursor::End);
        (focused ? static_cast<QWidget*>(m_editor) : m_other)->setFocus();
        m_actions->selectAll()->trigger();
        EXPECT_EQ(m_editor->textCursor().selectedText(), focused ? "alpha beta" : "");
    }
}

TEST_F(EditActionsTest, UndoAndRedoActFromAnyControl) {
    m_editor->moveCursor(QTextCursor::End);
    m_editor->setFocus();
    QTest::keyClicks(m_editor, QStringLiteral("!"));
    m_other->setFocus();
    m_actions->undo()->trigger();
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta");
    m_actions->redo()->trigger();
    EXPECT_EQ(m_editor->toPlainText(), "alpha beta!");
}

} // namespace
} // namespace varko::maintree
