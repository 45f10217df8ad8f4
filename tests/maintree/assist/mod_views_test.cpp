#include "varko/maintree/assist/mod_file_list.h"
#include "varko/maintree/assist/mod_files_view.h"
#include "varko/maintree/assist/mod_problems_view.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

std::vector<std::string> Names(const std::vector<ModFile>& files) {
    std::vector<std::string> names;
    for (const ModFile& file : files)
        names.push_back(file.name);
    return names;
}

TEST(ModFileList, ListsOdfAndTechTreeFilesSortedIgnoringCase) {
    QTemporaryDir dir;
    for (const char* name : {"b.odf", "A.ODF", "c.tt", "notes.txt", ".hidden.odf", "TREE.TT"})
        Touch(dir.filePath(QString::fromLatin1(name)));
    QDir(dir.path()).mkdir(QStringLiteral("folder.odf"));
    const std::vector<ModFile> files = ListModFiles({dir.path().toStdString()});
    EXPECT_EQ(Names(files), (std::vector<std::string>{"A.ODF", "b.odf", "c.tt", "TREE.TT"}));
    EXPECT_EQ(files.front().path, dir.filePath(QStringLiteral("A.ODF")).toStdString());
}

TEST(ModFileList, TheFirstDirectoryWinsANameFoundInTwo) {
    QTemporaryDir first;
    QTemporaryDir second;
    Touch(first.filePath(QStringLiteral("tank.odf")));
    Touch(second.filePath(QStringLiteral("TANK.odf")));
    Touch(second.filePath(QStringLiteral("laser.odf")));
    const std::vector<ModFile> files =
        ListModFiles({first.path().toStdString(), "/no/such/directory", second.path().toStdString()});
    EXPECT_EQ(files,
              (std::vector<ModFile>{{"laser.odf", second.filePath(QStringLiteral("laser.odf")).toStdString()},
                                    {"tank.odf", first.filePath(QStringLiteral("tank.odf")).toStdString()}}));
}

class FilesView : public ::testing::Test {
protected:
    FilesView() {
        for (const char* name : {"scout.odf", "Tank.odf", "tankbase.odf", "techtree.tt"})
            Touch(m_dir.filePath(QString::fromLatin1(name)));
        m_view.refresh({m_dir.path().toStdString()});
        EXPECT_FALSE(shownNames().isEmpty());
        m_view.show();
        m_view.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_view));
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    // The names shown once the listing and filtering under way are done.
    QStringList shownNames() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !m_view.busy(); }, 5000));
        return m_view.shownNames();
    }

    QTemporaryDir m_dir;
    ModFilesView m_view;
};

TEST_F(FilesView, TheFilterKeepsNamesHoldingItsTextIgnoringCase) {
    const QStringList all = {QStringLiteral("scout.odf"), QStringLiteral("Tank.odf"),
                             QStringLiteral("tankbase.odf"), QStringLiteral("techtree.tt")};
    EXPECT_EQ(shownNames(), all);
    QTest::keyClicks(m_view.filterEdit(), QStringLiteral("TANK"));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Tank.odf"), QStringLiteral("tankbase.odf")}));
    QTest::keyClicks(m_view.filterEdit(), QStringLiteral("b"));
    EXPECT_EQ(shownNames(), QStringList{QStringLiteral("tankbase.odf")});
    m_view.filterEdit()->clear();
    EXPECT_EQ(shownNames(), all);
}

// Both run on the worker; the filter must not apply to the rows the listing replaces.
TEST_F(FilesView, AFilterTypedWhileListingFiltersTheNewListing) {
    Touch(path("tankette.odf"));
    m_view.refresh({m_dir.path().toStdString()});
    QTest::keyClicks(m_view.filterEdit(), QStringLiteral("tank"));
    EXPECT_EQ(shownNames(), (QStringList{QStringLiteral("Tank.odf"), QStringLiteral("tankbase.odf"),
                                         QStringLiteral("tankette.odf")}));
}

TEST_F(FilesView, ReturnAndDoubleClickOpenTheFile) {
    QSignalSpy opened(&m_view, &ModFilesView::openRequested);
    QTest::keyClicks(m_view.filterEdit(), QStringLiteral("tt"));
    shownNames();
    QTest::keyClick(m_view.filterEdit(), Qt::Key_Return);
    QTest::keyClicks(m_view.filterEdit(), QStringLiteral("\b\bodf"));
    shownNames();
    QTest::keyClick(m_view.filterEdit(), Qt::Key_Down);
    EXPECT_TRUE(m_view.list()->hasFocus());
    QTest::keyClick(m_view.list(), Qt::Key_Down);
    QTest::keyClick(m_view.list(), Qt::Key_Return);
    const QModelIndex scout = m_view.list()->model()->index(0, 0);
    const QPoint point = m_view.list()->visualRect(scout).center();
    // A double-click is a click followed by a second press.
    QTest::mouseClick(m_view.list()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(m_view.list()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    ASSERT_EQ(opened.count(), 3);
    EXPECT_EQ(opened.at(0).at(0).toString(), path("techtree.tt"));
    EXPECT_EQ(opened.at(1).at(0).toString(), path("Tank.odf"));
    EXPECT_EQ(opened.at(2).at(0).toString(), path("scout.odf"));
}

TEST_F(FilesView, ScreenReadersHearTheListAndTheField) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(m_view.list())->text(QAccessible::Name),
              QStringLiteral("Mod Files"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(m_view.filterEdit())->text(QAccessible::Name),
              QStringLiteral("Filter"));
    EXPECT_NE(m_view.list()->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_NE(m_view.filterEdit()->focusPolicy() & Qt::TabFocus, 0);
}

class ProblemsView : public ::testing::Test {
protected:
    ProblemsView() {
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }
    QStringList rows(const QModelIndex& parent = {}) const {
        QStringList texts;
        for (int row = 0; row < m_view.model()->rowCount(parent); ++row)
            texts << m_view.model()->index(row, 0, parent).data().toString();
        return texts;
    }

    ModProblemsView m_view;
};

TEST_F(ProblemsView, OneNodePerFileWithTheMessagesOfItsFindings) {
    QSignalSpy appended(&m_view, &ModProblemsView::appended);
    m_view.addFile(QStringLiteral("/mod/addon/faulty.odf"),
                   {{4, 13, "M3", {"missing.odf"}}, {7, 12, "M10", {"unitName"}}});
    m_view.addEntries(QStringLiteral("/mod/addon/tank.odf"),
                      {{12, QStringLiteral("Line 12: baseClass = faulty")}});
    ASSERT_TRUE(appended.count() == 1 || appended.wait(2000));
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("faulty.odf (2)"), QStringLiteral("tank.odf (1)")}));
    EXPECT_EQ(rows(m_view.model()->index(0, 0)),
              (QStringList{
                  QStringLiteral("Line 4: Error - File not found: missing.odf"),
                  QStringLiteral(
                      "Line 7: Error - Property 'unitName' is a string. Quotation marks \"\" are needed")}));
    EXPECT_EQ(rows(m_view.model()->index(1, 0)), QStringList{QStringLiteral("Line 12: baseClass = faulty")});
    m_view.clear();
    EXPECT_EQ(m_view.fileCount(), 0);
}

TEST_F(ProblemsView, ReturnOrDoubleClickOnALineOpensItsPlace) {
    QSignalSpy appended(&m_view, &ModProblemsView::appended);
    QSignalSpy openAt(&m_view, &ModProblemsView::openAt);
    m_view.addFile(QStringLiteral("/mod/addon/faulty.odf"),
                   {{4, 13, "M3", {"missing.odf"}}, {9, 1, "M1", {"x"}}});
    ASSERT_TRUE(appended.wait(2000));
    const QModelIndex file = m_view.model()->index(0, 0);
    m_view.setFocus();
    m_view.setCurrentIndex(file);
    QTest::keyClick(&m_view, Qt::Key_Return);
    EXPECT_EQ(openAt.count(), 0);
    m_view.expand(file);
    m_view.setCurrentIndex(m_view.model()->index(1, 0, file));
    QTest::keyClick(&m_view, Qt::Key_Return);
    const QModelIndex first = m_view.model()->index(0, 0, file);
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, Qt::NoModifier, m_view.visualRect(first).center());
    QTest::mouseDClick(m_view.viewport(), Qt::LeftButton, Qt::NoModifier, m_view.visualRect(first).center());
    ASSERT_EQ(openAt.count(), 2);
    EXPECT_EQ(openAt.at(0), (QVariantList{QStringLiteral("/mod/addon/faulty.odf"), 9}));
    EXPECT_EQ(openAt.at(1), (QVariantList{QStringLiteral("/mod/addon/faulty.odf"), 4}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&m_view)->text(QAccessible::Name),
              QStringLiteral("Mod Problems"));
}

TEST_F(ProblemsView, ALongListArrivesInSlices) {
    std::vector<compiler::Finding> findings;
    for (int line = 1; line <= 50000; ++line)
        findings.push_back({line, 1, "M1", {"x"}});
    QSignalSpy appended(&m_view, &ModProblemsView::appended);
    m_view.addFile(QStringLiteral("/mod/addon/huge.odf"), std::move(findings));
    const QModelIndex file = m_view.model()->index(0, 0);
    EXPECT_TRUE(m_view.isAppending());
    EXPECT_LT(m_view.model()->rowCount(file), 50000);
    ASSERT_TRUE(appended.wait(10000));
    EXPECT_EQ(m_view.model()->rowCount(file), 50000);
    EXPECT_EQ(m_view.model()->index(49999, 0, file).data().toString(),
              QStringLiteral("Line 50000: Error - Unknown command: x"));
}

} // namespace
} // namespace varko::maintree
