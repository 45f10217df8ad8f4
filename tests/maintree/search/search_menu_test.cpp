#include "search_fixture.h"
#include "varko/maintree/search/go_to_line_dialog.h"
#include "varko/maintree/search/search_menu.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

namespace varko::maintree {
namespace {

struct ItemCase {
    const char* caption;
    QKeySequence shortcut;
};

// In menu order; an empty caption is the separator.
const ItemCase kItems[] = {
    {"Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
    {"Replace...", QKeySequence(Qt::CTRL | Qt::Key_H)},
    {"Find Next", QKeySequence(Qt::Key_F3)},
    {"Find Previous", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
    {"Go to Line...", QKeySequence(Qt::CTRL | Qt::Key_G)},
    {"", QKeySequence()},
    {"Next Fault", QKeySequence(Qt::Key_F8)},
    {"Previous Fault", QKeySequence(Qt::SHIFT | Qt::Key_F8)},
};

TEST(SearchMenu, ItemsInOrderWithTheirKeys) {
    QMenuBar bar;
    QAction* file = bar.addMenu(QStringLiteral("&File"))->menuAction();
    QAction* help = bar.addMenu(QStringLiteral("&Help"))->menuAction();
    const SearchMenuItems items = BuildSearchMenu(bar, help);
    EXPECT_EQ(bar.actions(), (QList<QAction*>{file, items.menu->menuAction(), help}));
    EXPECT_EQ(items.menu->title(), QStringLiteral("&Search"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(items.menu)->text(QAccessible::Name),
              QStringLiteral("Search"));
    const QList<QAction*> actions = items.menu->actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(kItems)));
    const QList<QAction*> returned{items.find,     items.replace, items.findNext,  items.findPrevious,
                                   items.goToLine, actions[5],    items.nextFault, items.previousFault};
    EXPECT_EQ(actions, returned);
    QAccessibleInterface* spokenMenu = QAccessible::queryAccessibleInterface(items.menu);
    for (int i = 0; i < actions.size(); ++i) {
        SCOPED_TRACE(kItems[i].caption);
        EXPECT_EQ(actions[i]->isSeparator(), kItems[i].caption[0] == '\0');
        EXPECT_EQ(actions[i]->text(), QString::fromLatin1(kItems[i].caption));
        EXPECT_EQ(actions[i]->shortcut(), kItems[i].shortcut);
        if (!actions[i]->isSeparator()) {
            EXPECT_EQ(spokenMenu->child(i)->text(QAccessible::Name), QString::fromLatin1(kItems[i].caption));
        }
    }
}

// The menu's keys reach their commands while the editor has the focus, as the program wires them.
class SearchKeys : public ::testing::Test {
protected:
    void SetUp() override {
        auto* central = new QWidget(&m_window);
        auto* layout = new QVBoxLayout(central);
        m_editor = new QPlainTextEdit(central);
        m_bar = new FindBar(*m_editor, central);
        layout->addWidget(m_editor);
        layout->addWidget(m_bar);
        m_window.setCentralWidget(central);
        const SearchMenuItems items = BuildSearchMenu(*m_window.menuBar(), nullptr);
        QObject::connect(items.find, &QAction::triggered, m_bar, &FindBar::OpenFind);
        QObject::connect(items.replace, &QAction::triggered, m_bar, &FindBar::OpenReplace);
        QObject::connect(items.findNext, &QAction::triggered, m_bar, &FindBar::FindNext);
        QObject::connect(items.findPrevious, &QAction::triggered, m_bar, &FindBar::FindPrevious);
        QObject::connect(items.goToLine, &QAction::triggered, m_editor, [this] { OpenGoToLine(*m_editor); });
        m_bar->hide();
        m_editor->setPlainText(QStringLiteral("one two one two\nthree"));
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_editor->setFocus();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    QString Selected() const { return m_editor->textCursor().selectedText(); }
    int Caret() const { return m_editor->textCursor().position(); }

    QMainWindow m_window;
    QPlainTextEdit* m_editor = nullptr;
    FindBar* m_bar = nullptr;
};

TEST_F(SearchKeys, FindNextAndPreviousFromTheEditor) {
    Key(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(m_bar->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), m_bar->Controls().findEdit);
    QTest::keyClicks(m_bar->Controls().findEdit, QStringLiteral("two"));
    EXPECT_EQ(Caret(), 7);
    Key(Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), m_editor);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int caret;
    } steps[] = {{Qt::Key_F3, Qt::NoModifier, 15},
                 {Qt::Key_F3, Qt::NoModifier, 7},
                 {Qt::Key_F3, Qt::ShiftModifier, 15}};
    for (const auto& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Selected(), QStringLiteral("two"));
        EXPECT_EQ(Caret(), step.caret);
        EXPECT_EQ(QApplication::focusWidget(), m_editor);
    }
}

TEST_F(SearchKeys, ReplaceAndGoToLineFromTheEditor) {
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(m_bar->Controls().replaceEdit->isVisible());
    Key(Qt::Key_Escape);
    Key(Qt::Key_G, Qt::ControlModifier);
    auto* dialog = m_window.findChild<GoToLineDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    dialog->LineField()->setText(QStringLiteral("2"));
    dialog->accept();
    EXPECT_EQ(Caret(), 16);
}

} // namespace
} // namespace varko::maintree
