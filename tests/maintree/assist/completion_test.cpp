#include "assist_fixture.h"

#include "varko/maintree/assist/completion.h"
#include "varko/maintree/assist/completion_model.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

using testing::PrintTo;

using language::PropertyCatalog;

struct PrefixRow {
    const char* name;
    const char* prefix;
    QStringList rows;
};

const PrefixRow kPrefixes[] = {
    {"Everything", "", {"alpha", "Alpine", "beta", "Beta2", "betamax", "gamma"}},
    {"CaseIgnored", "AL", {"alpha", "Alpine"}},
    {"MiddleOfTheList", "bet", {"beta", "Beta2", "betamax"}},
    {"OneLeft", "betam", {"betamax"}},
    {"LastItem", "g", {"gamma"}},
    {"NothingAfterTheEnd", "z", {}},
    {"LongerThanAnyName", "gammas", {}},
};

class PrefixTable : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(PrefixTable, ShowsTheItemsThatBeginWithThePrefix) {
    CompletionModel model;
    model.setItems(CompletionModel::Sort(
        {{"gamma", "g"}, {"betamax", "b"}, {"Alpine", "a"}, {"beta", "b"}, {"alpha", "a"}, {"Beta2", "b"}}));
    model.setPrefix(QString::fromLatin1(GetParam().prefix));
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows << model.index(row).data().toString();
        EXPECT_EQ(model.index(row).data(Qt::AccessibleDescriptionRole).toString(),
                  rows.back().left(1).toLower());
    }
    EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Model, PrefixTable, ::testing::ValuesIn(kPrefixes),
                         [](const auto& info) { return std::string(info.param.name); });

// The popup at work in an editor, keys sent where a user's keys go.
class CompletionPopup : public ::testing::Test {
protected:
    CompletionPopup()
        : m_catalog(testing::SampleCatalog()),
          m_completion(&m_editor,
                       {[this] { return m_catalog.Entries(); }, testing::TypesOf(m_catalog),
                        testing::FakeFileSources({"laser.odf", "tank.odf", "cannon.odf"}, {"tank.sod"}),
                        [this] { return m_path; }}) {
        m_editor.resize(400, 300);
        m_editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
        m_editor.setFocus();
    }

    // Types into the popup while it is open, as the keyboard does, else into the editor.
    void type(const QString& keys) {
        for (const QChar key : keys) {
            QWidget* target =
                m_completion.isPopupVisible() ? static_cast<QWidget*>(m_completion.popup()) : &m_editor;
            QTest::keyClick(target, key.toLatin1());
            QCoreApplication::processEvents();
        }
    }
    void press(Qt::Key key) {
        QTest::keyClick(
            m_completion.isPopupVisible() ? static_cast<QWidget*>(m_completion.popup()) : &m_editor, key);
        QCoreApplication::processEvents();
    }
    QStringList offered() const {
        QStringList names;
        const QAbstractItemModel* model = m_completion.popup()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    QString line() const { return m_editor.textCursor().block().text(); }

    PropertyCatalog m_catalog;
    QString m_path = QStringLiteral("/mod/addon/tank.odf");
    QPlainTextEdit m_editor;
    Completion m_completion;
};

TEST_F(CompletionPopup, OpensByItselfAfterTwoCharactersOfANameAtTheLineStart) {
    type(QStringLiteral("m"));
    EXPECT_FALSE(m_completion.isPopupVisible());
    type(QStringLiteral("a"));
    ASSERT_TRUE(m_completion.isPopupVisible());
    EXPECT_EQ(offered(), QStringList{QStringLiteral("maxHealth")});
    type(QStringLiteral("x"));
    EXPECT_EQ(offered(), QStringList{QStringLiteral("maxHealth")});
    type(QStringLiteral("q"));
    EXPECT_FALSE(m_completion.isPopupVisible());
}

TEST_F(CompletionPopup, StaysClosedElsewhereInALine) {
    for (const QString& text :
         {QStringLiteral("  ma"), QStringLiteral("unitName = \"ma"), QStringLiteral("// ma")}) {
        m_editor.clear();
        type(text);
        EXPECT_FALSE(m_completion.isPopupVisible()) << text.toStdString();
    }
}

TEST_F(CompletionPopup, StaysClosedInTechTrees) {
    m_path = QStringLiteral("/mod/addon/tree.tt");
    type(QStringLiteral("ma"));
    EXPECT_FALSE(m_completion.isPopupVisible());
    m_completion.complete();
    EXPECT_FALSE(m_completion.isPopupVisible());
}

TEST_F(CompletionPopup, OffersFileNamesAfterTheEqualsOfAFileTypedProperty) {
    m_editor.setPlainText(QStringLiteral("weaponName1 ="));
    m_editor.moveCursor(QTextCursor::End);
    type(QStringLiteral(" "));
    ASSERT_TRUE(m_completion.isPopupVisible());
    EXPECT_EQ(offered(),
              (QStringList{QStringLiteral("cannon"), QStringLiteral("laser"), QStringLiteral("tank")}));
    type(QStringLiteral("la"));
    EXPECT_EQ(offered(), QStringList{QStringLiteral("laser")});
}

TEST_F(CompletionPopup, ReturnReplacesWhatWasTypedInOneUndoStep) {
    m_editor.setPlainText(QStringLiteral("deployedName = T"));
    m_editor.moveCursor(QTextCursor::End);
    m_completion.complete();
    ASSERT_EQ(offered(), QStringList{QStringLiteral("tank.odf")});
    press(Qt::Key_Return);
    EXPECT_FALSE(m_completion.isPopupVisible());
    EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("deployedName = tank.odf"));
    EXPECT_EQ(m_editor.textCursor().position(), m_editor.toPlainText().size());
    m_editor.undo();
    EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("deployedName = T"));
}

TEST_F(CompletionPopup, TabTakesTheChosenRowAndFixesTheCase) {
    type(QStringLiteral("WE"));
    ASSERT_EQ(offered(), (QStringList{QStringLiteral("weaponName1"), QStringLiteral("weaponName2")}));
    press(Qt::Key_Down);
    press(Qt::Key_Tab);
    EXPECT_FALSE(m_completion.isPopupVisible());
    EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("weaponName2"));
}

TEST_F(CompletionPopup, EscapeClosesAndLeavesTheText) {
    type(QStringLiteral("un"));
    ASSERT_TRUE(m_completion.isPopupVisible());
    press(Qt::Key_Escape);
    EXPECT_FALSE(m_completion.isPopupVisible());
    EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("un"));
}

TEST_F(CompletionPopup, CompleteOffersEveryNameOnAnEmptyLine) {
    m_completion.complete();
    ASSERT_TRUE(m_completion.isPopupVisible());
    EXPECT_EQ(offered().size(), static_cast<qsizetype>(m_catalog.Entries().size()));
}

TEST_F(CompletionPopup, ScreenReadersHearTheListAndEachTypeDeclared) {
    m_completion.complete();
    ASSERT_TRUE(m_completion.isPopupVisible());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(m_completion.popup());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Completions"));
    QStringList heard;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* item = list->child(i);
        heard << item->text(QAccessible::Name) + QStringLiteral(": ") + item->text(QAccessible::Description);
    }
    EXPECT_EQ(heard, (QStringList{QStringLiteral("baseClass: odf"), QStringLiteral("collisionMesh: sodn"),
                                  QStringLiteral("deployedName: odfn"), QStringLiteral("geometryName: sod"),
                                  QStringLiteral("isAssault: bool"), QStringLiteral("lodMesh1: sodn"),
                                  QStringLiteral("maxHealth: int"), QStringLiteral("ordName: not declared"),
                                  QStringLiteral("unitName: string"), QStringLiteral("weaponName1: odf"),
                                  QStringLiteral("weaponName2: odf")}));
}

} // namespace
} // namespace varko::maintree
