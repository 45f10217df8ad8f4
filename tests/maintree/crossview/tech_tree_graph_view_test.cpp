#include "crossview_fixture.h"
#include "varko/maintree/crossview/arrow_item.h"
#include "varko/maintree/crossview/node_box_item.h"
#include "varko/maintree/crossview/tech_tree_graph_view.h"
#include "varko/maintree/editing/editor_colours.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace varko::maintree {
namespace {

const textrules::LineList kTree{
    "base.odf 0",                      // 1
    "factory.odf 1 base.odf",          // 2
    "tank.odf 2 factory.odf gone.odf", // 3
    "a.odf 1 b.odf",                   // 4
    "b.odf 1 a.odf",                   // 5
    "gun.odf 2 tank.odf a.odf",        // 6
};

class GraphViewTest : public ::testing::Test {
protected:
    void Show(const textrules::LineList& lines) {
        m_view.resize(700, 500);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
        QSignalSpy drawn(&m_view, &TechTreeGraphView::drawn);
        m_view.showPicture(std::make_shared<const GraphPicture>(MakeGraphPicture(lines)));
        ASSERT_TRUE(drawn.wait(5000));
        EXPECT_FALSE(m_view.drawing());
    }

    std::vector<NodeBoxItem*> Boxes() const {
        std::vector<NodeBoxItem*> boxes;
        for (QGraphicsItem* item : m_view.scene()->items(Qt::AscendingOrder))
            if (item->type() == NodeBoxItem::Type)
                boxes.push_back(static_cast<NodeBoxItem*>(item));
        std::sort(boxes.begin(), boxes.end(), [](auto* a, auto* b) { return a->line() < b->line(); });
        return boxes;
    }

    std::vector<ArrowItem*> Arrows() const {
        std::vector<ArrowItem*> arrows;
        for (QGraphicsItem* item : m_view.scene()->items())
            if (item->type() == ArrowItem::Type)
                arrows.push_back(static_cast<ArrowItem*>(item));
        return arrows;
    }

    QPoint OnScreen(const NodeBoxItem* box) {
        m_view.centerOn(box);
        return m_view.mapFromScene(box->boundingRect().center());
    }

    TechTreeGraphView m_view;
};

TEST_F(GraphViewTest, OneBoxPerObjectOneArrowPerRequirement) {
    const struct {
        const char* name;
        textrules::LineList lines;
        std::size_t boxes;
        std::size_t arrows;
    } cases[] = {
        {"requirements without an entry draw nothing", kTree, 6, 6},
        {"a repeated entry is one box, its requirements counted once",
         {"a.odf 0", "b.odf 1 a.odf", "b.odf 1 a.odf"},
         2,
         1},
        {"an empty tree", {}, 0, 0},
    };
    for (const auto& c : cases) {
        Show(c.lines);
        EXPECT_EQ(Boxes().size(), c.boxes) << c.name;
        EXPECT_EQ(Arrows().size(), c.arrows) << c.name;
        for (const QGraphicsItem* item : m_view.scene()->items()) {
            const bool drawn = item->type() == NodeBoxItem::Type || item->type() == ArrowItem::Type;
            EXPECT_TRUE(drawn || item->flags().testFlag(QGraphicsItem::ItemHasNoContents))
                << c.name << ": an item of type " << item->type();
            EXPECT_TRUE(item->isVisible()) << c.name;
        }
    }
}

TEST_F(GraphViewTest, CirclesInTheErrorColour) {
    Show(kTree);
    const QColor error = maintree::ErrorColour(m_view.palette());
    const std::vector<NodeBoxItem*> boxes = Boxes();
    std::vector<QString> red;
    for (const NodeBoxItem* box : boxes) {
        if (box->look().border == error)
            red.push_back(box->name());
    }
    EXPECT_EQ(red, (std::vector<QString>{"a.odf", "b.odf"}));
    int redArrows = 0;
    for (const ArrowItem* arrow : Arrows())
        redArrows += arrow->colour() == error;
    EXPECT_EQ(redArrows, 2) << "a requires b and b requires a; gun's arrow from a is not on the circle";
}

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    dark.setColor(QPalette::Highlight, QColor(40, 90, 160));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return dark;
}

// Every box in the palette's colours, the circle's border in its error colour; a new palette
// draws the tree again.
TEST_F(GraphViewTest, BoxesTakeThePalettesColours) {
    Show(kTree);
    const struct {
        const char* name;
        QPalette palette;
    } themes[] = {{"a dark theme", DarkPalette()}, {"the default theme", QPalette()}};
    for (const auto& t : themes) {
        QSignalSpy drawn(&m_view, &TechTreeGraphView::drawn);
        m_view.setPalette(t.palette);
        ASSERT_TRUE(drawn.wait(5000)) << t.name;
        const QColor error = maintree::ErrorColour(t.palette);
        for (const NodeBoxItem* box : Boxes()) {
            const bool onCircle = box->name() == "a.odf" || box->name() == "b.odf";
            EXPECT_EQ(box->look().fill, t.palette.color(QPalette::Base)) << t.name;
            EXPECT_EQ(box->look().text, t.palette.color(QPalette::Text)) << t.name;
            EXPECT_EQ(box->look().border, onCircle ? error : t.palette.color(QPalette::Text))
                << t.name << ": " << box->name().toStdString();
        }
        const int background = t.palette.color(QPalette::Base).lightness();
        for (const ArrowItem* arrow : Arrows()) {
            if (arrow->colour() == error)
                continue;
            EXPECT_GE(std::abs(arrow->colour().lightness() - background), 80)
                << t.name << ": arrows stand out";
        }
    }
}

TEST_F(GraphViewTest, TheCurrentObjectIsHighlighted) {
    m_view.setPalette(DarkPalette());
    Show(kTree);
    const QColor highlight = DarkPalette().color(QPalette::Highlight);
    const struct {
        const char* name;
        std::size_t node;
        const char* highlighted; // the box filled in the highlight colour, if any
    } steps[] = {
        {"an object", 0, "base.odf"},
        {"another: the first goes back to its colours", 3, "a.odf"},
        {"an object beyond the tree", 99, nullptr},
    };
    for (const auto& step : steps) {
        m_view.setCurrentNode(step.node);
        QStringList filled;
        for (const NodeBoxItem* box : Boxes()) {
            if (box->look().fill == highlight)
                filled << box->name();
        }
        EXPECT_EQ(filled, step.highlighted ? QStringList{step.highlighted} : QStringList()) << step.name;
    }
    m_view.setCurrentNode(3);
    const NodeBoxItem* circleBox = Boxes()[3];
    EXPECT_EQ(circleBox->look().border, maintree::ErrorColour(DarkPalette())) << "a circle stays marked";
    EXPECT_EQ(circleBox->look().text, DarkPalette().color(QPalette::HighlightedText));
}

// Each keystroke may bring a new tree: a tree still going into the scene gives way at once.
TEST_F(GraphViewTest, ANewerTreeReplacesOneStillBeingDrawn) {
    textrules::LineList large;
    for (int i = 0; i < 20000; ++i)
        large.push_back("o" + std::to_string(i) + ".odf 1 o" + std::to_string(i / 2) + ".odf");
    m_view.resize(700, 500);
    m_view.show();
    QSignalSpy drawn(&m_view, &TechTreeGraphView::drawn);
    m_view.showPicture(std::make_shared<const GraphPicture>(MakeGraphPicture(large)));
    while (Boxes().empty())
        QCoreApplication::processEvents();
    ASSERT_TRUE(m_view.drawing()) << "the large tree takes more than one slice";
    EXPECT_FALSE(Boxes().front()->isVisible()) << "the boxes show once all are there";
    m_view.showPicture(std::make_shared<const GraphPicture>(MakeGraphPicture(kTree)));
    ASSERT_TRUE(drawn.wait(5000));
    QTest::qWait(50);
    EXPECT_EQ(drawn.size(), 1);
    EXPECT_EQ(Boxes().size(), 6u);
    EXPECT_EQ(Arrows().size(), 6u);
}

TEST_F(GraphViewTest, AClickOnABoxSelectsItsEntry) {
    Show(kTree);
    QSignalSpy selected(&m_view, &TechTreeGraphView::entrySelected);
    for (const NodeBoxItem* box : Boxes()) {
        selected.clear();
        QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, OnScreen(box));
        ASSERT_EQ(selected.size(), 1) << box->name().toStdString();
        EXPECT_EQ(selected[0][0].toInt(), box->line()) << box->name().toStdString();
    }
    selected.clear();
    QTest::mouseClick(m_view.viewport(), Qt::LeftButton, {}, QPoint(2, m_view.viewport()->height() - 2));
    EXPECT_EQ(selected.size(), 0) << "a click beside every box";
}

TEST_F(GraphViewTest, ADragPansAndSelectsNothing) {
    Show(kTree);
    m_view.setTransform(QTransform::fromScale(4, 4));
    QSignalSpy selected(&m_view, &TechTreeGraphView::entrySelected);
    const QPoint from = OnScreen(Boxes().front());
    const int before = m_view.horizontalScrollBar()->value();
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, from - QPoint(80, 0),
                     m_view.viewport()->mapToGlobal(from - QPoint(80, 0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(m_view.viewport(), &move);
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, from - QPoint(80, 0));
    EXPECT_EQ(selected.size(), 0);
    EXPECT_EQ(m_view.horizontalScrollBar()->value(), before + 80);
}

void Wheel(QWidget* viewport, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

TEST_F(GraphViewTest, ZoomInAndOut) {
    Show(kTree);
    const struct {
        const char* name;
        std::function<void(TechTreeGraphView&)> act;
        double factor;
    } steps[] = {
        {"Ctrl++", [](TechTreeGraphView& v) { QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier); },
         1.25},
        {"Ctrl+=, the same key unshifted",
         [](TechTreeGraphView& v) { QTest::keyClick(&v, Qt::Key_Equal, Qt::ControlModifier); }, 1.25},
        {"Ctrl+-", [](TechTreeGraphView& v) { QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier); },
         0.8},
        {"Ctrl+wheel forward", [](TechTreeGraphView& v) { Wheel(v.viewport(), 120, Qt::ControlModifier); },
         1.25},
        {"Ctrl+wheel back", [](TechTreeGraphView& v) { Wheel(v.viewport(), -120, Qt::ControlModifier); },
         0.8},
        {"a plain wheel scrolls", [](TechTreeGraphView& v) { Wheel(v.viewport(), -120, Qt::NoModifier); }, 1},
        {"a plain minus", [](TechTreeGraphView& v) { QTest::keyClick(&v, Qt::Key_Minus); }, 1},
    };
    for (const auto& step : steps) {
        const double before = m_view.zoom();
        step.act(m_view);
        EXPECT_DOUBLE_EQ(m_view.zoom(), before * step.factor) << step.name;
        EXPECT_DOUBLE_EQ(m_view.transform().m22(), m_view.zoom()) << step.name;
    }
}

TEST_F(GraphViewTest, ZoomStaysWithinBounds) {
    Show(kTree);
    for (int i = 0; i < 60; ++i)
        m_view.zoomIn();
    EXPECT_DOUBLE_EQ(m_view.zoom(), 8);
    for (int i = 0; i < 100; ++i)
        m_view.zoomOut();
    EXPECT_DOUBLE_EQ(m_view.zoom(), 0.01);
    m_view.zoomToFit();
    EXPECT_LE(m_view.zoom(), 1);
    const QRectF seen = m_view.mapToScene(m_view.viewport()->rect()).boundingRect();
    for (const NodeBoxItem* box : Boxes())
        EXPECT_TRUE(seen.contains(box->boundingRect())) << box->name().toStdString();
}

TEST_F(GraphViewTest, ArrowKeysPan) {
    Show(kTree);
    m_view.setTransform(QTransform::fromScale(4, 4));
    const struct {
        const char* name;
        Qt::Key key;
        QScrollBar* bar;
        int direction;
    } keys[] = {
        {"Right", Qt::Key_Right, m_view.horizontalScrollBar(), 1},
        {"Down", Qt::Key_Down, m_view.verticalScrollBar(), 1},
        {"Left", Qt::Key_Left, m_view.horizontalScrollBar(), -1},
        {"Up", Qt::Key_Up, m_view.verticalScrollBar(), -1},
    };
    m_view.horizontalScrollBar()->setValue(m_view.horizontalScrollBar()->maximum() / 2);
    m_view.verticalScrollBar()->setValue(m_view.verticalScrollBar()->maximum() / 2);
    for (const auto& k : keys) {
        const int before = k.bar->value();
        QTest::keyClick(&m_view, k.key);
        EXPECT_EQ((k.bar->value() - before) * k.direction, k.bar->singleStep()) << k.name;
    }
}

} // namespace
} // namespace varko::maintree
