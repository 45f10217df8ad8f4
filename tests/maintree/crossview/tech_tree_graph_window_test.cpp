#include "crossview_fixture.h"
#include "varko/maintree/crossview/node_box_item.h"
#include "varko/maintree/crossview/tech_tree_graph_view.h"
#include "varko/maintree/crossview/tech_tree_graph_window.h"
#include "varko/maintree/editing/editor_colours.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QGraphicsScene>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace varko::maintree {
namespace {

using testing::RawText;
using testing::RowTexts;

const textrules::LineList kTree{
    "base.odf 0",                      // 1
    "factory.odf 1 base.odf",          // 2
    "// a comment",                    // 3
    "tank.odf 2 factory.odf gone.odf", // 4
    "a.odf 1 b.odf",                   // 5
    "b.odf 1 A.ODF",                   // 6
    "gun.odf 2 tank.odf a.odf",        // 7
};

class GraphWindowTest : public ::testing::Test {
protected:
    void Show(const textrules::LineList& lines) {
        QSignalSpy shown(&m_window, &TechTreeGraphWindow::graphShown);
        m_window.showGraph(lines);
        ASSERT_TRUE(shown.wait(60000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    QModelIndex Row(int row, int child = -1) const {
        const QAbstractItemModel& model = *m_window.treeList().model();
        const QModelIndex top = model.index(row, 0);
        return child < 0 ? top : model.index(child, 0, top);
    }

    TechTreeGraphWindow m_window;
};

TEST_F(GraphWindowTest, AWindowOfItsOwnThatDoesNotBlock) {
    Show(kTree);
    EXPECT_TRUE(m_window.isWindow());
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("Tech Tree Graph"));
    EXPECT_EQ(m_window.windowModality(), Qt::NonModal);
    EXPECT_GT(m_window.graphView().width(), 2 * m_window.treeList().width())
        << "the graph has most of the room";
}

TEST_F(GraphWindowTest, EveryControlIsNamedAndReachable) {
    const struct {
        const char* name;
        QString accessibleName;
    } controls[] = {{"the list", "Tech Tree"},
                    {"the graph", "Graph"},
                    {"zoom in", "Zoom In"},
                    {"zoom out", "Zoom Out"},
                    {"fit", "Fit"}};
    Show(kTree);
    QStringList named;
    for (QWidget* child : m_window.findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus)
            named << QAccessible::queryAccessibleInterface(child)->text(QAccessible::Name);
    }
    for (const auto& c : controls)
        EXPECT_TRUE(named.contains(c.accessibleName))
            << c.name << " among " << named.join(", ").toStdString();
}

TEST_F(GraphWindowTest, TheListHasOneItemPerObjectItsRequirementsBelow) {
    Show(kTree);
    const QAbstractItemModel& model = *m_window.treeList().model();
    EXPECT_EQ(RowTexts(model), (QStringList{"base.odf (line 1)", "factory.odf (line 2)", "tank.odf (line 4)",
                                            "a.odf (line 5), in a circle", "b.odf (line 6), in a circle",
                                            "gun.odf (line 7)"}));
    const struct {
        const char* name;
        int row;
        QStringList children;
    } objects[] = {
        {"requires nothing", 0, {}},
        {"one requirement", 1, {"base.odf (line 1)"}},
        {"a requirement without an entry is left out", 2, {"factory.odf (line 2)"}},
        {"on a circle", 3, {"b.odf (line 6), in a circle"}},
        {"named in another case", 4, {"a.odf (line 5), in a circle"}},
        {"two, in the order written", 5, {"tank.odf (line 4)", "a.odf (line 5), in a circle"}},
    };
    const QColor error = maintree::ErrorColour(m_window.palette());
    for (const auto& o : objects) {
        EXPECT_EQ(RowTexts(model, Row(o.row)), o.children) << o.name;
        const bool onCircle = o.row == 3 || o.row == 4;
        EXPECT_EQ(Row(o.row).data(Qt::ForegroundRole).value<QColor>(), onCircle ? error : QColor()) << o.name;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&m_window.treeList())->text(QAccessible::Name),
              QStringLiteral("Tech Tree"));
}

TEST_F(GraphWindowTest, ReturnOrDoubleClickOnAnItemSelectsItsEntry) {
    Show(kTree);
    QTreeView& list = m_window.treeList();
    list.expandAll();
    const struct {
        const char* name;
        QModelIndex item;
        int line;
    } items[] = {
        {"an object", Row(2), 4},
        {"an object on a circle", Row(4), 6},
        {"a requirement goes to its own entry", Row(5, 0), 4},
    };
    QSignalSpy selected(&m_window, &TechTreeGraphWindow::entrySelected);
    for (const auto& i : items) {
        selected.clear();
        list.setFocus();
        list.setCurrentIndex(i.item);
        QTest::keyClick(&list, Qt::Key_Return);
        list.scrollTo(i.item);
        // A double-click follows a first click, as a user's does.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(i.item).center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(i.item).center());
        ASSERT_EQ(selected.size(), 2) << i.name;
        EXPECT_EQ(selected[0][0].toInt(), i.line) << i.name << ": Return";
        EXPECT_EQ(selected[1][0].toInt(), i.line) << i.name << ": double-click";
    }
}

TEST_F(GraphWindowTest, AClickOnABoxSelectsItsEntryAndItsItem) {
    Show(kTree);
    TechTreeGraphView& graph = m_window.graphView();
    QSignalSpy selected(&m_window, &TechTreeGraphWindow::entrySelected);
    for (QGraphicsItem* item : graph.scene()->items()) {
        if (item->type() != NodeBoxItem::Type)
            continue;
        const auto* box = static_cast<NodeBoxItem*>(item);
        selected.clear();
        graph.centerOn(box);
        QTest::mouseClick(graph.viewport(), Qt::LeftButton, {},
                          graph.mapFromScene(box->boundingRect().center()));
        ASSERT_EQ(selected.size(), 1) << box->name().toStdString();
        EXPECT_EQ(selected[0][0].toInt(), box->line());
        EXPECT_TRUE(m_window.treeList().currentIndex().data().toString().startsWith(box->name() + " ("))
            << box->name().toStdString();
    }
}

// A keyboard user moving through the list sees the box of the item in the graph's highlight.
TEST_F(GraphWindowTest, TheCurrentItemsBoxIsHighlighted) {
    Show(kTree);
    QTreeView& list = m_window.treeList();
    list.expandAll();
    list.setFocus();
    const struct {
        const char* name;
        QModelIndex item;
        Qt::Key key;
        std::size_t node;
    } moves[] = {
        {"the first object", Row(0), Qt::Key_Down, 1},
        {"down into a requirement, whose box is its own object's", Row(5), Qt::Key_Down, 2},
        {"up from a first requirement to its object", Row(5, 0), Qt::Key_Up, 5},
    };
    const QColor highlight = m_window.graphView().palette().color(QPalette::Highlight);
    for (const auto& m : moves) {
        list.setCurrentIndex(m.item);
        QTest::keyClick(&list, m.key);
        EXPECT_EQ(m_window.graphView().currentNode(), m.node) << m.name;
        QStringList highlighted;
        for (QGraphicsItem* item : m_window.graphView().scene()->items()) {
            if (item->type() == NodeBoxItem::Type &&
                static_cast<NodeBoxItem*>(item)->look().fill == highlight)
                highlighted << static_cast<NodeBoxItem*>(item)->name();
        }
        EXPECT_EQ(highlighted.size(), 1) << m.name;
    }
}

TEST_F(GraphWindowTest, ZoomButtonsAnswerAScreenReadersPress) {
    Show(kTree);
    TechTreeGraphView& graph = m_window.graphView();
    const struct {
        const char* caption;
        double factor;
    } buttons[] = {{"Zoom In", 1.25}, {"Zoom Out", 0.8}};
    for (const auto& b : buttons) {
        QAbstractButton* button = nullptr;
        for (QAbstractButton* candidate : m_window.findChildren<QAbstractButton*>())
            if (candidate->text() == QLatin1String(b.caption))
                button = candidate;
        ASSERT_NE(button, nullptr) << b.caption;
        const double before = graph.zoom();
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        EXPECT_DOUBLE_EQ(graph.zoom(), before * b.factor) << b.caption;
    }
}

// Ctrl++ and Ctrl+- zoom wherever the focus is in the window, the list included.
TEST_F(GraphWindowTest, ZoomKeysWorkFromTheList) {
    Show(kTree);
    QApplication::setActiveWindow(&m_window);
    TechTreeGraphView& graph = m_window.graphView();
    const struct {
        const char* name;
        QWidget* focus;
        Qt::Key key;
        double factor;
    } keys[] = {
        {"Ctrl++ in the list", &m_window.treeList(), Qt::Key_Plus, 1.25},
        {"Ctrl+= in the list", &m_window.treeList(), Qt::Key_Equal, 1.25},
        {"Ctrl+- in the list", &m_window.treeList(), Qt::Key_Minus, 0.8},
        {"Ctrl++ in the graph, zoomed once", &graph, Qt::Key_Plus, 1.25},
    };
    for (const auto& k : keys) {
        k.focus->setFocus();
        const double before = graph.zoom();
        QTest::keyClick(k.focus, k.key, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(graph.zoom(), before * k.factor) << k.name;
    }
}

TEST_F(GraphWindowTest, OnlyTheLatestTreeIsShown) {
    QSignalSpy shown(&m_window, &TechTreeGraphWindow::graphShown);
    m_window.showGraph(textrules::LineList{"old.odf 0"});
    m_window.showGraph(RawText({"new.odf 0", "newer.odf 1 new.odf"}));
    ASSERT_TRUE(shown.wait(5000));
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(RowTexts(*m_window.treeList().model()),
              (QStringList{"new.odf (line 1)", "newer.odf (line 2)"}));
}

// Built on the worker, put into the scene in slices: it must finish and show every object.
TEST_F(GraphWindowTest, AHundredThousandObjectsInOneCircle) {
    constexpr int kCount = 100000;
    textrules::LineList lines;
    for (int i = 0; i < kCount; ++i)
        lines.push_back("o" + std::to_string(i) + ".odf 1 o" + std::to_string((i + 1) % kCount) + ".odf");
    Show(lines);
    EXPECT_EQ(m_window.treeList().model()->rowCount(), kCount);
    int boxes = 0;
    for (const QGraphicsItem* item : m_window.graphView().scene()->items())
        boxes += item->type() == NodeBoxItem::Type && item->isVisible();
    EXPECT_EQ(boxes, kCount);
    EXPECT_EQ(Row(kCount - 1).data().toString(), QStringLiteral("o99999.odf (line 100000), in a circle"));
    EXPECT_FALSE(m_window.graphView().grab().isNull());
}

} // namespace
} // namespace varko::maintree
