#include "crossview_fixture.h"
#include "varko/maintree/crossview/graph_picture.h"

#include <QLineF>

#include <algorithm>

namespace varko::maintree {
namespace {

// Where an arrow starts, and the tip its head points at.
QPointF StartOf(const QPainterPath& arrow) {
    return arrow.elementAt(0);
}

QPointF TipOf(const QPainterPath& arrow) {
    return arrow.elementAt(arrow.elementCount() - 2);
}

bool OnEdgeOf(const QRectF& box, QPointF point) {
    return box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(point) &&
           !box.adjusted(0.5, 0.5, -0.5, -0.5).contains(point);
}

const textrules::LineList kTrees[] = {
    {"base.odf 0", "factory.odf 1 base.odf", "tank.odf 2 factory.odf base.odf", "gun.odf 1 tank.odf"},
    {"a.odf 1 b.odf", "b.odf 1 c.odf", "c.odf 1 a.odf", "d.odf 1 a.odf"},
    {"self.odf 1 self.odf", "other.odf 0"},
    {"w.odf 0", "x.odf 0", "y.odf 0", "z.odf 3 w.odf x.odf y.odf"},
};

// Every arrow leaves its requirement's box and ends on the box of the object that needs it.
TEST(GraphPicture, ArrowsRunFromTheRequirementToTheObject) {
    for (const textrules::LineList& tree : kTrees) {
        const GraphPicture picture = MakeGraphPicture(tree);
        ASSERT_EQ(picture.arrows.size(), picture.graph.edges.size()) << tree[0];
        for (std::size_t e = 0; e < picture.arrows.size(); ++e) {
            const compiler::TechTreeEdge& edge = picture.graph.edges[e];
            const std::string what = tree[0] + ", edge " + std::to_string(e);
            EXPECT_TRUE(OnEdgeOf(picture.boxes[edge.requirement], StartOf(picture.arrows[e]))) << what;
            EXPECT_TRUE(OnEdgeOf(picture.boxes[edge.object], TipOf(picture.arrows[e]))) << what;
            if (!edge.closesCycle) {
                EXPECT_LT(picture.boxes[edge.requirement].bottom(), picture.boxes[edge.object].top()) << what;
            }
            EXPECT_TRUE(picture.bounds.contains(picture.arrows[e].boundingRect())) << what;
        }
    }
}

TEST(GraphPicture, BoxesNeverOverlap) {
    for (const textrules::LineList& tree : kTrees) {
        const GraphPicture picture = MakeGraphPicture(tree);
        ASSERT_EQ(picture.boxes.size(), picture.graph.nodes.size()) << tree[0];
        for (std::size_t a = 0; a < picture.boxes.size(); ++a) {
            EXPECT_TRUE(picture.bounds.contains(picture.boxes[a])) << tree[0];
            for (std::size_t b = a + 1; b < picture.boxes.size(); ++b)
                EXPECT_FALSE(picture.boxes[a].intersects(picture.boxes[b]))
                    << tree[0] << ": " << a << ", " << b;
        }
    }
}

TEST(GraphPicture, CirclesAreMarked) {
    const struct {
        const char* name;
        textrules::LineList lines;
        std::vector<char> nodes;
        std::vector<std::pair<std::string, std::string>> circleEdges; // object, requirement
    } cases[] = {
        {"no circle", kTrees[0], {0, 0, 0, 0}, {}},
        {"three objects, one hanging on",
         kTrees[1],
         {1, 1, 1, 0},
         {{"a.odf", "b.odf"}, {"b.odf", "c.odf"}, {"c.odf", "a.odf"}}},
        {"an object that requires itself", kTrees[2], {1, 0}, {{"self.odf", "self.odf"}}},
        {"the shortest way back, as the check reports it",
         {"a.odf 2 b.odf c.odf", "b.odf 1 c.odf", "c.odf 1 a.odf"},
         {1, 0, 1},
         {{"a.odf", "c.odf"}, {"c.odf", "a.odf"}}},
    };
    for (const auto& c : cases) {
        const GraphPicture picture = MakeGraphPicture(c.lines);
        EXPECT_EQ(picture.nodeOnCircle, c.nodes) << c.name;
        std::vector<std::pair<std::string, std::string>> marked;
        for (std::size_t e = 0; e < picture.graph.edges.size(); ++e) {
            const compiler::TechTreeEdge& edge = picture.graph.edges[e];
            if (picture.edgeOnCircle[e])
                marked.emplace_back(picture.graph.nodes[edge.object].object,
                                    picture.graph.nodes[edge.requirement].object);
        }
        EXPECT_EQ(marked, c.circleEdges) << c.name;
    }
}

TEST(GraphPicture, RequirementsInTheOrderTheEntryLists) {
    const GraphPicture picture = MakeGraphPicture(kTrees[3]);
    ASSERT_EQ(picture.requirements.size(), 4u);
    std::vector<std::string> names;
    for (std::size_t e : picture.requirements[3])
        names.push_back(picture.graph.nodes[picture.graph.edges[e].requirement].object);
    EXPECT_EQ(names, (std::vector<std::string>{"w.odf", "x.odf", "y.odf"}));
    EXPECT_TRUE(picture.requirements[0].empty());
}

} // namespace
} // namespace varko::maintree
