#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/object_browser.h"
#include "varko/platform/scripted_desktop.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace varko::maintree {
namespace {

using platform::ScriptedDesktop;

class ObjectBrowserTest : public ::testing::Test {
protected:
    void WriteLibrary(const QByteArray& content) {
        QFile file(m_dir.filePath(QStringLiteral("proplib.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void Fill() { m_browser.fill(m_dir.path().toStdString() + "/", m_desktop); }

    QStringList Labels(const QTreeWidgetItem* parent) const {
        QStringList labels;
        for (int i = 0; i < parent->childCount(); ++i)
            labels << parent->child(i)->text(0);
        return labels;
    }

    QTemporaryDir m_dir;
    ScriptedDesktop m_desktop;
    QTreeWidget m_tree;
    EditorPane m_editor;
    ObjectBrowser m_browser{m_tree, m_editor};
};

TEST_F(ObjectBrowserTest, MissingLibraryShowsTheErrorBoxAndLeavesTheTreeEmpty) {
    Fill();
    ASSERT_EQ(m_desktop.History().size(), 1u);
    EXPECT_EQ(m_desktop.History()[0].kind, ScriptedDesktop::Kind::Error);
    EXPECT_EQ(m_desktop.History()[0].text,
              QStringLiteral("Cannot access the property library \"proplib.txt\"!"));
    EXPECT_EQ(m_tree.topLevelItemCount(), 0);
}

TEST_F(ObjectBrowserTest, KindsWithTheirPropertiesAllCollapsed) {
    WriteLibrary(
        "[ship]\r\nfriendly=Warship\r\nhull=\r\nspeed=\r\n[rock]\r\nfriendly=Rock\r\n[car]\r\ndoors=4\r\n");
    Fill();
    EXPECT_TRUE(m_desktop.History().empty());
    ASSERT_EQ(m_tree.topLevelItemCount(), 3);
    EXPECT_EQ(Labels(m_tree.invisibleRootItem()), QStringList({"Warship (ship)", "Rock (rock)", " (car)"}));
    EXPECT_EQ(Labels(m_tree.topLevelItem(0)), QStringList({"hull", "speed"}));
    EXPECT_EQ(Labels(m_tree.topLevelItem(1)), QStringList());
    EXPECT_EQ(Labels(m_tree.topLevelItem(2)), QStringList());
    for (int i = 0; i < m_tree.topLevelItemCount(); ++i)
        EXPECT_FALSE(m_tree.topLevelItem(i)->isExpanded());
}

struct InsertCase {
    const char* name;
    QString text;
    int selStart;
    int selLength;
    QString result;
    int insertedAt;
};

const InsertCase kInsertCases[] = {
    {"empty editor", "", 0, 0, "hull = ", 0},
    {"caret in the middle of a line", "a = 1\nabcdef\nz", 9, 0, "a = 1\nabchull = def\nz", 9},
    {"caret at the end of a line", "a = 1\nxy\nz", 8, 0, "a = 1\nxyhull = \nz", 8},
    {"caret at the start of the last line", "a = 1\n", 6, 0, "a = 1\nhull = ", 6},
    {"selection keeps its text", "speed = 1\nmass = 2", 2, 12, "sphull = eed = 1\nmass = 2", 2},
};

TEST_F(ObjectBrowserTest, DoubleClickedPropertyGoesInAtTheSelectionStart) {
    WriteLibrary("[ship]\nfriendly=Warship\nhull=\n");
    Fill();
    QTreeWidgetItem* hull = m_tree.topLevelItem(0)->child(0);
    for (const InsertCase& row : kInsertCases) {
        SCOPED_TRACE(row.name);
        m_editor.setPlainText(row.text);
        QTextCursor selection = m_editor.textCursor();
        selection.setPosition(row.selStart);
        selection.setPosition(row.selStart + row.selLength, QTextCursor::KeepAnchor);
        m_editor.setTextCursor(selection);
        m_tree.setCurrentItem(hull);
        m_browser.insertChosenProperty();
        EXPECT_EQ(m_editor.toPlainText(), row.result);
        EXPECT_EQ(m_editor.selStart(), row.insertedAt);
        EXPECT_EQ(m_editor.textCursor().selectedText(), QStringLiteral("hull = "));
    }
}

TEST_F(ObjectBrowserTest, NothingGoesInWithoutASelectedProperty) {
    WriteLibrary("[ship]\nfriendly=Warship\nhull=\n");
    Fill();
    const struct {
        const char* name;
        QTreeWidgetItem* item;
    } rows[] = {{"section node", m_tree.topLevelItem(0)}, {"no node", nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        m_editor.setPlainText(QStringLiteral("a = 1"));
        m_tree.setCurrentItem(row.item);
        m_browser.insertChosenProperty();
        EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("a = 1"));
        EXPECT_FALSE(m_editor.textCursor().hasSelection());
    }
}

TEST_F(ObjectBrowserTest, LongLineIsWrittenBackWhole) {
    WriteLibrary("[ship]\nfriendly=Warship\nhull=\n");
    Fill();
    const QString longLine = QString(5000, QLatin1Char('x'));
    m_editor.setPlainText(longLine);
    QTextCursor caret = m_editor.textCursor();
    caret.setPosition(10);
    m_editor.setTextCursor(caret);
    m_tree.setCurrentItem(m_tree.topLevelItem(0)->child(0));
    m_browser.insertChosenProperty();
    EXPECT_EQ(m_editor.toPlainText(), longLine.left(10) + QStringLiteral("hull = ") + longLine.mid(10));
}

// The tree answers the mouse and the keyboard on its own.
TEST_F(ObjectBrowserTest, DoubleClickOrReturnOnAPropertyInsertsIt) {
    WriteLibrary("[ship]\nfriendly=Warship\nhull=\n");
    Fill();
    m_tree.resize(200, 200);
    m_tree.expandAll();
    m_tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tree));
    QTreeWidgetItem* hull = m_tree.topLevelItem(0)->child(0);
    const struct {
        const char* name;
        std::function<void()> press;
        QString text;
    } rows[] = {
        {"double-click",
         [&] {
             // A widget's double-click comes after the click that began it.
             const QPoint at = m_tree.visualItemRect(hull).center();
             QTest::mouseClick(m_tree.viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(m_tree.viewport(), Qt::LeftButton, {}, at);
         },
         "hull = "},
        {"Return", [&] { QTest::keyClick(&m_tree, Qt::Key_Return); }, "hull = "},
        {"Control+Return", [&] { QTest::keyClick(&m_tree, Qt::Key_Return, Qt::ControlModifier); }, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        m_editor.clear();
        m_tree.setCurrentItem(hull);
        row.press();
        EXPECT_EQ(m_editor.toPlainText(), row.text);
    }
}

} // namespace
} // namespace varko::maintree
