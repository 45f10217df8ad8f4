#include "assist_fixture.h"

#include "varko/maintree/assist/file_navigator.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

using language::PropertyCatalog;

using Location = FileNavigator::Location;

class Navigation : public ::testing::Test {
protected:
    Navigation()
        : m_catalog(testing::SampleCatalog()),
          m_navigator(&m_editor, {testing::TypesOf(m_catalog),
                                  testing::FakeFileSources({"unitbase.odf", "laser.odf", "tank.odf"}, {}),
                                  [this] { return m_path; }}) {
        m_editor.resize(500, 300);
    }

    // What the owner does on openRequested: the file's text replaces the editor's.
    void open(const QString& path, const QString& text) {
        m_path = path;
        m_editor.setPlainText(text);
    }
    void caretTo(int line, int column) {
        QTextCursor cursor(m_editor.document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        m_editor.setTextCursor(cursor);
    }

    PropertyCatalog m_catalog;
    QString m_path;
    QPlainTextEdit m_editor;
    FileNavigator m_navigator;
};

TEST_F(Navigation, GoingToFilesAndBackRetracesTheSteps) {
    QSignalSpy opened(&m_navigator, &FileNavigator::openRequested);
    QSignalSpy backChanged(&m_navigator, &FileNavigator::canGoBackChanged);
    open(QStringLiteral("/mod/addon/tank.odf"),
         QStringLiteral("#include \"unitbase.odf\"\nweaponName1 = laser"));
    caretTo(1, 16);
    ASSERT_TRUE(m_navigator.goToFile());
    open(QStringLiteral("/mod/addon/laser.odf"), QStringLiteral("// laser\n\n\nbaseClass = unitbase"));
    ASSERT_TRUE(m_navigator.goToFileAt(3, 14));

    EXPECT_EQ(opened.count(), 2);
    EXPECT_EQ(opened.at(0).at(0).toString(), QStringLiteral("/mod/addon/laser.odf"));
    EXPECT_EQ(opened.at(1).at(0).toString(), QStringLiteral("/mod/addon/unitbase.odf"));
    EXPECT_EQ(m_navigator.back(), (Location{QStringLiteral("/mod/addon/laser.odf"), 4}));
    EXPECT_TRUE(m_navigator.canGoBack());
    EXPECT_EQ(m_navigator.back(), (Location{QStringLiteral("/mod/addon/tank.odf"), 2}));
    EXPECT_FALSE(m_navigator.canGoBack());
    EXPECT_EQ(m_navigator.back(), std::nullopt);
    ASSERT_EQ(backChanged.count(), 2);
    EXPECT_TRUE(backChanged.at(0).at(0).toBool());
    EXPECT_FALSE(backChanged.at(1).at(0).toBool());
}

TEST_F(Navigation, AMissingFileIsSaidAndRemembersNothing) {
    QSignalSpy opened(&m_navigator, &FileNavigator::openRequested);
    QSignalSpy status(&m_navigator, &FileNavigator::statusMessage);
    open(QStringLiteral("/mod/addon/tank.odf"), QStringLiteral("#include \"ghost.odf\""));
    EXPECT_FALSE(m_navigator.goToFileAt(0, 12));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_FALSE(m_navigator.canGoBack());
    EXPECT_EQ(m_navigator.statusText(), QStringLiteral("File not found: ghost.odf"));
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), QStringLiteral("File not found: ghost.odf"));
    EXPECT_FALSE(m_navigator.goToFileAt(7, 0));
    EXPECT_EQ(m_navigator.statusText(), QStringLiteral("No file name here"));
}

TEST_F(Navigation, TechTreeTokensLeadToTheirFiles) {
    QSignalSpy opened(&m_navigator, &FileNavigator::openRequested);
    open(QStringLiteral("/mod/addon/tree.tt"), QStringLiteral("tank.odf 1 laser.odf"));
    caretTo(0, 14);
    ASSERT_TRUE(m_navigator.goToFile());
    EXPECT_EQ(opened.at(0).at(0).toString(), QStringLiteral("/mod/addon/laser.odf"));
}

TEST_F(Navigation, CtrlClickOpensAndAPlainClickDoesNot) {
    m_editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    QSignalSpy opened(&m_navigator, &FileNavigator::openRequested);
    open(QStringLiteral("/mod/addon/tank.odf"), QStringLiteral("unitName = \"x\"\nbaseClass = laser"));
    QTextCursor onLaser(m_editor.document()->findBlockByNumber(1));
    onLaser.setPosition(onLaser.position() + 14);
    const QPoint point = m_editor.cursorRect(onLaser).center();
    QTest::mouseClick(m_editor.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    EXPECT_EQ(opened.count(), 0);
    QTest::mouseClick(m_editor.viewport(), Qt::LeftButton, Qt::ControlModifier, point);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toString(), QStringLiteral("/mod/addon/laser.odf"));
    EXPECT_EQ(m_navigator.back(), (Location{QStringLiteral("/mod/addon/tank.odf"), 2}));
}

} // namespace
} // namespace varko::maintree
