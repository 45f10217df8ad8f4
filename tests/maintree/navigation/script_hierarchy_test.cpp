#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/script_hierarchy.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>

#include <gtest/gtest.h>

namespace varko::maintree {
namespace {

// The hierarchy over its tree and the editor, which it follows on its own.
class ScriptHierarchyTest : public ::testing::Test {
protected:
    ScriptHierarchyTest() {
        m_tree.resize(200, 400);
        m_tree.show();
    }

    bool Tick() {
        QSignalSpy shown(&m_hierarchy, &ScriptHierarchy::outlineShown);
        m_hierarchy.buildIfChanged();
        return m_hierarchy.building() && shown.wait(10000);
    }

    // The tree as indented labels; a property node carries its line tag.
    QStringList Dump(const QModelIndex& parent = {}, const QString& indent = {}) const {
        const HierarchyModel& model = m_hierarchy.model();
        QStringList lines;
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex node = model.index(row, 0, parent);
            QString label = indent + node.data().toString();
            if (model.lineTag(node) >= 0)
                label += QStringLiteral("@%1").arg(model.lineTag(node));
            lines << label;
            lines << Dump(node, indent + QStringLiteral("  "));
        }
        return lines;
    }

    // The rows as the view lays them out, from the top down, in the form of Dump.
    QStringList ShownRows() const {
        QStringList rows;
        for (QModelIndex row = m_tree.model()->index(0, 0); row.isValid(); row = m_tree.indexBelow(row)) {
            QString label = row.data().toString();
            if (m_hierarchy.model().lineTag(row) >= 0)
                label += QStringLiteral("@%1").arg(m_hierarchy.model().lineTag(row));
            for (QModelIndex up = row.parent(); up.isValid(); up = up.parent())
                label.prepend(QStringLiteral("  "));
            rows << label;
        }
        return rows;
    }

    bool AllExpanded(const QModelIndex& parent = {}) const {
        const HierarchyModel& model = m_hierarchy.model();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex node = model.index(row, 0, parent);
            if (model.hasChildren(node) && (!m_tree.isExpanded(node) || !AllExpanded(node)))
                return false;
        }
        return true;
    }

    QModelIndex Property(int row) const {
        const HierarchyModel& model = m_hierarchy.model();
        return model.index(row, 0, model.index(0, 0));
    }

    EditorPane m_editor;
    QTreeView m_tree;
    QString m_currentFile = QStringLiteral("/mods/addon/ship.odf");
    ScriptHierarchy m_hierarchy{m_tree, m_editor, [this] { return m_currentFile; }};
};

TEST_F(ScriptHierarchyTest, NoBuildBeforeTheFirstChange) {
    m_hierarchy.buildIfChanged();
    EXPECT_FALSE(m_hierarchy.building());
    EXPECT_EQ(m_hierarchy.model().rowCount(), 0);
}

TEST_F(ScriptHierarchyTest, HiddenTreeKeepsTheChangeForLater) {
    m_tree.hide();
    m_editor.setPlainText(QStringLiteral("a = 1"));
    m_hierarchy.buildIfChanged();
    EXPECT_FALSE(m_hierarchy.building());
    EXPECT_TRUE(m_hierarchy.outdated());
    m_tree.show();
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Dump(), QStringList({"ship.odf", "  a@0", "    1"}));
}

TEST_F(ScriptHierarchyTest, BuildShowsTheTextAllExpanded) {
    m_editor.setPlainText(QStringLiteral("// ship\n[GameObjectClass]\nsize = big red ship\nparts = a,\n\tb\n"
                                         "skin = hull // default skin\nname = \"\"\n"));
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Dump(),
              QStringList({"ship.odf", "  size@2", "    big", "    red", "    ship", "  parts@3", "    a",
                           "    b", "  skin@5", "    hull", "    // default skin", "  name@6", "    "}));
    EXPECT_TRUE(AllExpanded());
    EXPECT_FALSE(m_hierarchy.outdated());
}

TEST_F(ScriptHierarchyTest, LabelsKeepTheDocumentsCharacters) {
    m_currentFile = QStringLiteral("/mods/schiff_\u00e4\u8239.odf");
    m_editor.setPlainText(QStringLiteral("n\u00e9v = \u00e9t\u00e9 \u00a0x\nbad = \u20ac"));
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Dump(), QStringList({"schiff_\u00e4\u8239.odf", "  n\u00e9v@0", "    \u00e9t\u00e9",
                                   "    \u00a0x", "  bad@1", "    ?"}));
}

TEST_F(ScriptHierarchyTest, ChangeDuringABuildIsBuiltAtTheNextTick) {
    m_editor.setPlainText(QStringLiteral("old = 1"));
    QSignalSpy shown(&m_hierarchy, &ScriptHierarchy::outlineShown);
    m_hierarchy.buildIfChanged();
    ASSERT_TRUE(m_hierarchy.building());
    // The result cannot arrive before the event loop runs, so this change lands during the build.
    m_editor.setPlainText(QStringLiteral("new = 2"));
    m_hierarchy.buildIfChanged();
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_EQ(Dump(), QStringList({"ship.odf", "  old@0", "    1"}));
    EXPECT_TRUE(m_hierarchy.outdated());
    ASSERT_TRUE(Tick());
    EXPECT_EQ(Dump(), QStringList({"ship.odf", "  new@0", "    2"}));
    EXPECT_FALSE(m_hierarchy.outdated());
    EXPECT_EQ(shown.count(), 2);
}

TEST_F(ScriptHierarchyTest, ClickOnAPropertySelectsItsWholeLine) {
    m_editor.setPlainText(QStringLiteral("// c\nsize = big\nhp = 100 // full\n  200\n"));
    ASSERT_TRUE(Tick());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_tree));
    const QRect hp = m_tree.visualRect(Property(1));
    ASSERT_TRUE(hp.isValid());
    QTest::mouseClick(m_tree.viewport(), Qt::LeftButton, {}, hp.center());
    EXPECT_EQ(m_editor.textCursor().selectedText(), QStringLiteral("hp = 100 // full"));
    EXPECT_EQ(m_editor.selStart(), m_editor.startOfLine(2));
}

TEST_F(ScriptHierarchyTest, ClicksThatSelectNoLineLeaveTheEditorAlone) {
    m_editor.setPlainText(QStringLiteral("a = 1\nb = 2\nc = 3"));
    ASSERT_TRUE(Tick());
    // The text shrinks after the build: the node of "c" now names a line that is gone.
    m_editor.setPlainText(QStringLiteral("a = 1"));
    const HierarchyModel& model = m_hierarchy.model();
    const struct {
        const char* name;
        QModelIndex node;
    } rows[] = {
        {"root", model.index(0, 0)},
        {"value node", model.index(0, 0, Property(0))},
        {"line no longer there", Property(2)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTextCursor caret = m_editor.textCursor();
        caret.setPosition(3);
        m_editor.setTextCursor(caret);
        m_tree.setCurrentIndex(row.node);
        m_hierarchy.selectChosenLine();
        EXPECT_EQ(m_editor.toPlainText(), QStringLiteral("a = 1"));
        EXPECT_EQ(m_editor.selStart(), 3);
        EXPECT_FALSE(m_editor.textCursor().hasSelection());
    }
}

std::shared_ptr<const language::ScriptOutline>
MakeOutline(const char* root, std::vector<language::OutlineProperty> properties) {
    return std::make_shared<const language::ScriptOutline>(
        language::ScriptOutline{root, std::move(properties)});
}

// Each build's outline replaces the last one in place; the tree must look as if built anew.
TEST_F(ScriptHierarchyTest, EachBuildShowsItsOutlineAsNew) {
    QAbstractItemModelTester tester(m_tree.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const struct {
        const char* name;
        std::shared_ptr<const language::ScriptOutline> outline;
        QStringList tree;
    } builds[] = {
        {"first",
         MakeOutline("a.odf", {{"x", 0, {"1", "2"}}, {"y", 1, {}}}),
         {"a.odf", "  x@0", "    1", "    2", "  y@1"}},
        {"values appear and vanish",
         MakeOutline("a.odf", {{"x", 0, {"1"}}, {"y", 1, {"3", "4"}}}),
         {"a.odf", "  x@0", "    1", "  y@1", "    3", "    4"}},
        {"rows appended",
         MakeOutline("a.odf", {{"x", 0, {"1"}}, {"y", 1, {"3"}}, {"z", 5, {"5"}}, {"w", 6, {}}}),
         {"a.odf", "  x@0", "    1", "  y@1", "    3", "  z@5", "    5", "  w@6"}},
        {"rows removed and renamed",
         MakeOutline("b.odf", {{"q", 2, {"7", "8"}}}),
         {"b.odf", "  q@2", "    7", "    8"}},
        {"no rows left", MakeOutline("b.odf", {}), {"b.odf"}},
        {"rows again", MakeOutline("b.odf", {{"r", 0, {"9"}}}), {"b.odf", "  r@0", "    9"}},
    };
    for (const auto& build : builds) {
        SCOPED_TRACE(build.name);
        // What the user did to the last tree does not carry over: the last value of the last
        // property with values selected (it vanishes in the next build), nodes collapsed.
        const HierarchyModel& model = m_hierarchy.model();
        QPersistentModelIndex held;
        if (model.rowCount() > 0) {
            const QModelIndex root = model.index(0, 0);
            for (int row = model.rowCount(root) - 1; row >= 0; --row) {
                const QModelIndex property = Property(row);
                if (model.hasChildren(property)) {
                    held = model.index(model.rowCount(property) - 1, 0, property);
                    m_tree.setCurrentIndex(held);
                    m_tree.collapse(property);
                    break;
                }
            }
            m_tree.collapse(root);
        }
        m_hierarchy.show(0, build.outline);
        EXPECT_EQ(Dump(), build.tree);
        // An index kept across the build names a node that is still there, or none.
        EXPECT_TRUE(!held.isValid() || held.row() < model.rowCount(held.parent()));
        EXPECT_TRUE(AllExpanded());
        EXPECT_FALSE(m_tree.currentIndex().isValid());
        EXPECT_TRUE(m_tree.selectionModel()->selectedIndexes().isEmpty());
        EXPECT_EQ(ShownRows(), build.tree);
    }
}

TEST(HierarchyBuilder, DestroyedDuringABuildWaitsAndDropsTheResult) {
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("name%1 = a, b // c").arg(i) + QChar::ParagraphSeparator;
    QObject receiver;
    int delivered = 0;
    auto builder = std::make_unique<HierarchyBuilder>();
    QObject::connect(builder.get(), &HierarchyBuilder::built, &receiver, [&] { ++delivered; });
    ASSERT_TRUE(builder->start({text, QStringLiteral("x.odf"), 1}));
    EXPECT_FALSE(builder->start({text, QStringLiteral("x.odf"), 2}));
    builder.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, 0);
}

TEST(SnapshotLines, MatchTheEditorsLineOperations) {
    const QString texts[] = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("a\n"),
        QStringLiteral("a\n\nb"),
        QStringLiteral("\n"),
        QStringLiteral("\n\n"),
        QStringLiteral("\u00e9\u00a0x\u20ac\ty"),
        QStringLiteral("long\n") + QString(5000, QLatin1Char('x')) + QStringLiteral("\nend"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.left(20).toStdString());
        EditorPane editor;
        editor.setPlainText(text);
        const textrules::LineList lines =
            SnapshotLines(TakeHierarchySnapshot(*editor.document(), {}, 0).rawText);
        ASSERT_EQ(static_cast<int>(lines.size()), editor.lineCount());
        for (int i = 0; i < editor.lineCount(); ++i)
            EXPECT_EQ(lines[static_cast<std::size_t>(i)], editor.lineText(i).toLatin1().toStdString())
                << "line " << i;
    }
}

} // namespace
} // namespace varko::maintree
