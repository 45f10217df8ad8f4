#include "assist_fixture.h"

#include "varko/assist/hover_text.h"
#include "varko/assist/hover_tips.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

#include <gtest/gtest.h>

namespace varko::assist {
namespace {

using testing::PrintTo;

struct HoverRow {
    const char* name;
    const char* line;
    std::size_t column;
    DocumentKind type;
    const char* text;
};

const HoverRow kHovers[] = {
    {"DeclaredNameAndItsSections", "unitName = \"Tank\"", 3, DocumentKind::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NameEndStillCounts", "unitName = \"Tank\"", 8, DocumentKind::Odf,
     "unitName: string\nKnown in: [craft], [building], [weapon]"},
    {"NumberedFamily", "weaponName3 = laser", 2, DocumentKind::Odf, "weaponName3: odf\nKnown in: [craft]"},
    {"CaseIgnored", "MAXHEALTH = 5", 0, DocumentKind::Odf, "MAXHEALTH: int\nKnown in: [craft], [building]"},
    {"DeclaredInNoSection", "isAssault = 1", 4, DocumentKind::Odf, "isAssault: bool"},
    {"KnownButNotDeclared", "ordName = \"x\"", 2, DocumentKind::Odf,
     "ordName: not declared\nKnown in: [weapon]"},
    {"Undeclared", "turboBoost = 1", 5, DocumentKind::Odf, "turboBoost: not declared"},
    {"OdfFileFound", "weaponName1 = laser", 16, DocumentKind::Odf, "laser.odf: found in /mod/addon"},
    {"OdfFileMissing", "baseClass = plasma", 13, DocumentKind::Odf,
     "plasma.odf: not found in the addon directory"},
    {"BuiltInObject", "baseClass = BUILTIN", 13, DocumentKind::Odf,
     "BUILTIN.odf: built into the game (ignorefiles.txt)"},
    {"BuiltInIsNoSodFile", "geometryName = builtin", 16, DocumentKind::Odf,
     "builtin.sod: not found in the SOD directory"},
    {"SodFileFound", "geometryName = tank", 16, DocumentKind::Odf, "tank.sod: found in /mod/sod"},
    {"SodnFileMissing", "collisionMesh = ghost_col.sod", 20, DocumentKind::Odf,
     "ghost_col.sod: not found in the SOD directory"},
    {"IncludedFile", "#include \"unitbase.odf\"", 12, DocumentKind::Odf, "unitbase.odf: found in /mod/addon"},
    {"OutsideNamesAreNotLookedUp", "#include \"../secret.odf\"", 12, DocumentKind::Odf,
     "../secret.odf: not found in the addon directory"},
    {"TechTreeRequirement", "tank.odf 1 laser.odf", 12, DocumentKind::TechTree,
     "laser.odf: found in /mod/addon"},
    {"TechTreeCount", "tank.odf 1 laser.odf", 9, DocumentKind::TechTree, ""},
    {"BetweenNameAndValue", "unitName = \"Tank\"", 9, DocumentKind::Odf, ""},
    {"StringValue", "unitName = \"Tank\"", 13, DocumentKind::Odf, ""},
    {"Comment", "// unitName = \"Tank\"", 4, DocumentKind::Odf, ""},
    {"IndentedLine", "\tunitName = \"Tank\"", 3, DocumentKind::Odf, ""},
};

class HoverTable : public ::testing::TestWithParam<HoverRow> {};

TEST_P(HoverTable, TellsWhatIsUnderTheMouse) {
    const HoverRow& row = GetParam();
    const PropertyCatalog catalog = testing::SampleCatalog();
    const HoverSources sources{
        testing::TypesOf(catalog), [&catalog](std::string_view name) { return catalog.SectionsOf(name); },
        testing::FakeFileSources({"laser.odf", "unitbase.odf", "../secret.odf"}, {"tank.sod"})};
    EXPECT_EQ(HoverText(row.line, row.column, row.type, sources), row.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, HoverTable, ::testing::ValuesIn(kHovers),
                         [](const auto& info) { return std::string(info.param.name); });

class HoverOverTheEditor : public ::testing::Test {
protected:
    HoverOverTheEditor()
        : m_catalog(testing::SampleCatalog()),
          m_tips(
              &m_editor,
              {testing::TypesOf(m_catalog),
               [this](std::string_view name) { return m_catalog.SectionsOf(name); },
               testing::FakeFileSources({"laser.odf"}, {})},
              [] { return QStringLiteral("/mod/addon/tank.odf"); },
              [](int line) {
                  return line == 1 ? QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1")
                                   : QString();
              }) {
        m_editor.setPlainText(QStringLiteral("weaponName1 = laser\nturboBoost = 1"));
        m_editor.resize(600, 200);
        m_editor.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_editor));
    }
    // The middle of the character at a line and column.
    QPoint over(int line, int column) const {
        QTextCursor cursor(m_editor.document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        const QRect left = m_editor.cursorRect(cursor);
        cursor.movePosition(QTextCursor::NextCharacter);
        return QPoint((left.center().x() + m_editor.cursorRect(cursor).center().x()) / 2, left.center().y());
    }

    PropertyCatalog m_catalog;
    QPlainTextEdit m_editor;
    HoverTips m_tips;
};

TEST_F(HoverOverTheEditor, TipsNameWhatIsUnderTheMouseAfterTheLinesFaults) {
    EXPECT_EQ(m_tips.textAt(over(0, 16)), QStringLiteral("laser.odf: found in /mod/addon"));
    EXPECT_EQ(m_tips.textAt(over(0, 3)), QStringLiteral("weaponName1: odf\nKnown in: [craft]"));
    EXPECT_EQ(m_tips.textAt(over(1, 2)),
              QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1\nturboBoost: not declared"));
    EXPECT_EQ(m_tips.textAt(QPoint(over(1, 2).x() + 400, over(1, 2).y())),
              QStringLiteral("Line 2: Error - Unknown command: turboBoost = 1"));
    EXPECT_EQ(m_tips.textAt(QPoint(over(0, 2).x() + 400, over(0, 2).y())), QString());
}

TEST_F(HoverOverTheEditor, ATooltipEventShowsTheTip) {
    const QPoint point = over(0, 16);
    QHelpEvent help(QEvent::ToolTip, point, m_editor.viewport()->mapToGlobal(point));
    EXPECT_TRUE(QCoreApplication::sendEvent(m_editor.viewport(), &help));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("laser.odf: found in /mod/addon"));
    QToolTip::hideText();
}

} // namespace
} // namespace varko::assist
