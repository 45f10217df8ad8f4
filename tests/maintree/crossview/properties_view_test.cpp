#include "crossview_fixture.h"
#include "varko/maintree/crossview/properties_view.h"
#include "varko/maintree/crossview/property_sites_model.h"
#include "varko/maintree/crossview/raw_text_lines.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace varko::maintree {
namespace {

using testing::RawText;
using testing::RowTexts;

const QString kDocument = QStringLiteral("/mods/addon/tank.odf");

textrules::LineList LinesOf(const QStringList& lines) {
    textrules::LineList list;
    for (const QString& line : lines)
        list.push_back(line.toLatin1().toStdString());
    return list;
}

// Builds the rows of a document on the view's worker, from the editor's raw text or from lines,
// and waits for them.
bool ShowSites(PropertiesView& view, const QStringList& lines, const compiler::OdfSource& source,
               bool asRawText = true) {
    QSignalSpy shown(&view, &PropertiesView::sitesShown);
    if (asRawText)
        view.showDocument(kDocument, RawText(lines), source);
    else
        view.showDocument(kDocument, LinesOf(lines), source);
    return shown.wait(5000);
}

TEST(PropertiesView, RowsInIncludeOrder) {
    const MemorySource files({
        {"base.odf", {"maxHealth = 3", "#include \"deep.odf\"", "armor = L"}},
        {"deep.odf", {"range = 150 // m"}},
        {"loop.odf", {"speed = 2", "#include \"loop.odf\""}},
        {"empty.odf", {}},
    });
    const struct {
        const char* name;
        QStringList document;
        QStringList rows;
    } cases[] = {
        {"the document's own lines",
         {"unitName = \"A\"", "// note", "", "canSnipe = 1"},
         {"unitName | \"A\" | tank.odf | 1", "canSnipe | 1 | tank.odf | 4"}},
        {"an include expands where it stands, recursively",
         {"a = 1", "#include \"base.odf\"", "b = 2"},
         {"a | 1 | tank.odf | 1", "maxHealth | 3 | base.odf | 1", "range | 150 // m | deep.odf | 1",
          "armor | L | base.odf | 3", "b | 2 | tank.odf | 3"}},
        {"a missing include is skipped", {"#include \"gone.odf\"", "a = 1"}, {"a | 1 | tank.odf | 2"}},
        {"an include that leads back is not followed",
         {"#include \"loop.odf\""},
         {"speed | 2 | loop.odf | 1"}},
        {"a file included twice adds nothing the second time",
         {"#include \"deep.odf\"", "#include \"DEEP.ODF\""},
         {"range | 150 // m | deep.odf | 1"}},
        {"an empty document", {}, {}},
    };
    for (const auto& c : cases) {
        for (const bool asRawText : {true, false}) {
            PropertiesView view;
            ASSERT_TRUE(ShowSites(view, c.document, files.Source(), asRawText)) << c.name;
            EXPECT_EQ(RowTexts(view.sitesModel()), c.rows)
                << c.name << (asRawText ? ", raw text" : ", lines");
        }
    }
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// The first directory that holds a name gives the file, whatever the case of its name.
TEST(PropertiesView, IncludedFilesFromDirectories) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString addon = root.filePath("addon");
    const QString game = root.filePath("game");
    ASSERT_TRUE(QDir().mkpath(addon) && QDir().mkpath(game));
    WriteFile(addon + "/Base.ODF", "armor = L\n");
    WriteFile(game + "/base.odf", "armor = H\n");
    WriteFile(game + "/deep.odf", "// deep\nrange = 150\n");
    PropertiesView view;
    QSignalSpy shown(&view, &PropertiesView::sitesShown);
    view.showDocument(kDocument,
                      LinesOf({"#include \"base.odf\"", "#include \"deep.odf\"", "#include \"gone.odf\""}),
                      QStringList{addon, game});
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_EQ(RowTexts(view.sitesModel()),
              (QStringList{"armor | L | base.odf | 1", "range | 150 | deep.odf | 2"}));
}

TEST(PropertiesView, ColumnsAndAccessibleName) {
    PropertiesView view;
    const QAbstractItemModel& model = view.sitesModel();
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column)
        captions << model.headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"Name", "Value", "File", "Line"}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Name),
              QStringLiteral("Properties"));
}

// A screen reader hears the description of a cell; a sighted user sees bold text and a marker.
TEST(PropertiesView, NamesSetInSeveralPlacesAreMarked) {
    const MemorySource files({{"base.odf", {"MAXHEALTH = 3", "armor = L", "maxhealth = 4"}}});
    PropertiesView view;
    view.resize(600, 300);
    view.show();
    ASSERT_TRUE(ShowSites(view, {"maxHealth = 5", "#include \"base.odf\"", "speed = 1"}, files.Source()));
    const struct {
        const char* name;
        int row;
        QString description;
    } rows[] = {
        {"the document's own line", 0, QStringLiteral("set in 3 places")},
        {"an included line, another case", 1, QStringLiteral("set in 3 places")},
        {"set once", 2, QString()},
        {"twice in the included file", 3, QStringLiteral("set in 3 places")},
        {"set once in the document", 4, QString()},
    };
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&view)->tableInterface();
    ASSERT_NE(table, nullptr);
    const QAbstractItemModel& model = view.sitesModel();
    for (const auto& r : rows) {
        const bool marked = !r.description.isEmpty();
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(r.row, column);
            QAccessibleInterface* spoken = table->cellAt(r.row, column);
            ASSERT_NE(spoken, nullptr) << r.name;
            EXPECT_EQ(spoken->text(QAccessible::Description), r.description)
                << r.name << ", column " << column;
            EXPECT_EQ(cell.data(Qt::FontRole).value<QFont>().bold(), marked)
                << r.name << ", column " << column;
        }
        EXPECT_EQ(model.index(r.row, 0).data(Qt::DecorationRole).isValid(), marked) << r.name;
    }
    EXPECT_EQ(view.otherPlaces("MaxHealth", kDocument, 1),
              (QStringList{"base.odf line 1", "base.odf line 3"}));
    EXPECT_EQ(view.otherPlaces("maxhealth", "base.odf", 3),
              (QStringList{"tank.odf line 1", "base.odf line 1"}));
    EXPECT_EQ(view.otherPlaces("speed", kDocument, 3), QStringList());
}

TEST(PropertiesView, DoubleClickAndReturnOpenTheSite) {
    const MemorySource files({{"base.odf", {"// base", "maxHealth = 3"}}});
    PropertiesView view;
    view.resize(600, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(ShowSites(view, {"a = 1", "#include \"Base.odf\"", "", "b = 2"}, files.Source()));
    const struct {
        const char* name;
        int row;
        QString file;
        int line;
    } rows[] = {
        {"the document's line opens the document as named", 0, kDocument, 1},
        {"an included line opens the file as its include names it", 1, QStringLiteral("Base.odf"), 2},
        {"a later line of the document", 2, kDocument, 4},
    };
    for (const auto& r : rows) {
        const QModelIndex index = view.sitesModel().index(r.row, 1);
        QSignalSpy opened(&view, &PropertiesView::openLocation);
        const QPoint middle = view.visualRect(index).center();
        // A double-click follows a first click, as a user's does.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, middle);
        ASSERT_EQ(opened.size(), 1) << r.name << ": double-click";
        EXPECT_EQ(opened[0][0].toString(), r.file) << r.name;
        EXPECT_EQ(opened[0][1].toInt(), r.line) << r.name;
        view.setCurrentIndex(index);
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_EQ(opened.size(), 2) << r.name << ": Return";
        EXPECT_EQ(opened[1], opened[0]) << r.name;
    }
}

// Typing updates the view at every pause; a build overtaken by a newer one must never show.
TEST(PropertiesView, StaleResultsAreDropped) {
    const MemorySource files({{"old.odf", {"old = 1"}}, {"new.odf", {"new = 2"}}});
    PropertiesView view;
    const testing::HeldSource held(files.Source());
    QSignalSpy shown(&view, &PropertiesView::sitesShown);
    view.showDocument(kDocument, RawText({"#include \"old.odf\""}), held.Source());
    ASSERT_TRUE(held.WaitUntilAsked());
    view.showDocument(kDocument, RawText({"x = 0"}), files.Source());
    view.showDocument(kDocument, RawText({"#include \"new.odf\""}), files.Source());
    held.Release();
    ASSERT_TRUE(shown.wait(5000));
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(RowTexts(view.sitesModel()), QStringList{"new | 2 | new.odf | 1"});
}

TEST(PropertiesView, ClearDropsTheBuildUnderWay) {
    const MemorySource files(MemorySource::Files{{"a.odf", {"a = 1"}}});
    PropertiesView view;
    ASSERT_TRUE(ShowSites(view, {"b = 2"}, files.Source()));
    const testing::HeldSource held(files.Source());
    QSignalSpy shown(&view, &PropertiesView::sitesShown);
    view.showDocument(kDocument, RawText({"#include \"a.odf\""}), held.Source());
    ASSERT_TRUE(held.WaitUntilAsked());
    view.clear();
    held.Release();
    EXPECT_FALSE(shown.wait(300));
    EXPECT_EQ(view.sitesModel().rowCount(), 0);
    EXPECT_TRUE(view.sites().empty());
}

TEST(RawTextLines, CutsAsTheFileIsCut) {
    const struct {
        const char* name;
        QString text;
        textrules::LineList lines;
    } cases[] = {
        {"empty", QString(), {}},
        {"one line", QStringLiteral("a = 1"), {"a = 1"}},
        {"no last line when it is empty", RawText({"a", ""}), {"a"}},
        {"empty lines inside are kept", RawText({"a", "", "", "b"}), {"a", "", "", "b"}},
        {"a character of one byte", QStringLiteral("n = \u00e9"), {"n = \xe9"}},
        {"a character without a byte", QStringLiteral("n = \u20ac"), {"n = ?"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RawTextLines(c.text), c.lines) << c.name;
}

} // namespace
} // namespace varko::maintree
