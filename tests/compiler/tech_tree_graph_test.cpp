#include "varko/compiler/tech_tree_graph.h"

#include "finding_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

using namespace varko::compiler;
using varko::textrules::LineList;
using Messages = std::vector<std::string>;

namespace {

const std::string kRepeat = " is listed more than once in this tech tree; its first entry is on line ";

TEST(TechTreeGraphTest, Findings) {
    const struct {
        const char* name;
        LineList lines;
        Messages messages;
    } cases[] = {
        {"no circle", {"a.odf 0", "b.odf 1 a.odf", "c.odf 2 a.odf b.odf"}, {}},
        {"an object that requires itself",
         {"a.odf 1 a.odf"},
         {"Line 1: Error - Tech tree cycle: a.odf -> a.odf"}},
        {"two objects, reported once on the first entry",
         {"x.odf 0", "a.odf 1 b.odf", "b.odf 1 a.odf"},
         {"Line 2: Error - Tech tree cycle: a.odf -> b.odf -> a.odf"}},
        {"the circle starts at its earliest entry",
         {"c.odf 1 a.odf", "a.odf 1 b.odf", "b.odf 1 c.odf"},
         {"Line 1: Error - Tech tree cycle: c.odf -> a.odf -> b.odf -> c.odf"}},
        {"the shortest way back, one report per group",
         {"a.odf 2 b.odf c.odf", "b.odf 1 c.odf", "c.odf 1 a.odf"},
         {"Line 1: Error - Tech tree cycle: a.odf -> c.odf -> a.odf"}},
        {"two separate circles",
         {"a.odf 1 b.odf", "b.odf 1 a.odf", "c.odf 1 d.odf", "d.odf 1 c.odf"},
         {"Line 1: Error - Tech tree cycle: a.odf -> b.odf -> a.odf",
          "Line 3: Error - Tech tree cycle: c.odf -> d.odf -> c.odf"}},
        {"names differing only in case",
         {"Tank.odf 1 FACTORY.ODF", "factory.odf 1 tank.odf"},
         {"Line 1: Error - Tech tree cycle: Tank.odf -> factory.odf -> Tank.odf"}},
        {"a requirement without an entry", {"a.odf 1 zz.odf", "zz.odf.bak 1 a.odf"}, {}},
        {"tokens beyond the count are no requirements", {"a.odf 0 a.odf"}, {}},
        {"malformed and comment lines are no entries", {"a.odf x a.odf", "// a.odf 1 a.odf", "a.odf"}, {}},
        {"commas",
         {"a.odf, 1, b.odf", "b.odf, 1, a.odf"},
         {"Line 1: Error - Tech tree cycle: a.odf -> b.odf -> a.odf"}},
        {"a repeated object, any case",
         {"a.odf 0", "b.odf 0", "A.ODF 1 b.odf", "a.odf 0"},
         {"Line 3: Error - Object A.ODF" + kRepeat + "1", "Line 4: Error - Object a.odf" + kRepeat + "1"}},
        {"a circle through a repeated entry",
         {"a.odf 0", "b.odf 1 a.odf", "a.odf 1 b.odf"},
         {"Line 1: Error - Tech tree cycle: a.odf -> b.odf -> a.odf",
          "Line 3: Error - Object a.odf" + kRepeat + "1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageTexts(CheckTechTreeGraph(c.lines)), c.messages) << c.name;
}

TEST(TechTreeGraphTest, CodesAndSeverities) {
    const std::vector<Finding> findings = CheckTechTreeGraph({"a.odf 1 a.odf", "a.odf 0"});
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0], (Finding{1, 1, "X1", {"a.odf -> a.odf"}}));
    EXPECT_EQ(findings[1], (Finding{2, 1, "X2", {"a.odf", "1"}}));
    EXPECT_EQ(SeverityOf("X1"), Severity::Error);
    EXPECT_EQ(SeverityOf("X2"), Severity::Error);
}

TEST(TechTreeGraphTest, OneHundredThousandEntriesInOneCircle) {
    constexpr int kCount = 100000;
    LineList lines;
    for (int i = 0; i < kCount; ++i)
        lines.push_back("o" + std::to_string(i) + ".odf 1 o" + std::to_string((i + 1) % kCount) + ".odf");
    const TechTreeGraph graph = BuildTechTreeGraph(lines);
    ASSERT_EQ(graph.circles.size(), 1u);
    ASSERT_EQ(graph.circles[0].nodes.size(), static_cast<std::size_t>(kCount));
    const std::vector<Finding> findings = TechTreeFindings(graph);
    ASSERT_EQ(findings.size(), 1u);
    const std::string& circle = findings[0].parts[0];
    EXPECT_EQ(findings[0].line, 1);
    EXPECT_TRUE(circle.starts_with("o0.odf -> o1.odf -> o2.odf")) << circle.substr(0, 40);
    EXPECT_TRUE(circle.ends_with("-> o99998.odf -> o99999.odf -> o0.odf"));
    std::size_t arrows = 0;
    for (std::size_t at = circle.find(" -> "); at != std::string::npos; at = circle.find(" -> ", at + 1))
        ++arrows;
    EXPECT_EQ(arrows, static_cast<std::size_t>(kCount));
    // One edge closes the circle; the others stack the objects one layer each.
    int closing = 0;
    for (const TechTreeEdge& e : graph.edges)
        closing += e.closesCycle ? 1 : 0;
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(graph.nodes[0].layer, kCount - 1);
}

struct Placed {
    std::string object;
    int line;
    int layer;
    int order;
    bool operator==(const Placed&) const = default;
};

TEST(TechTreeGraphTest, Layout) {
    const struct {
        const char* name;
        LineList lines;
        std::vector<Placed> nodes;
    } cases[] = {
        {"requirements above their objects",
         {"factory.odf 0", "power.odf 0", "scout.odf 1 factory.odf", "tank.odf 2 factory.odf power.odf",
          "cannon.odf 1 tank.odf"},
         {{"factory.odf", 1, 0, 0},
          {"power.odf", 2, 0, 1},
          {"scout.odf", 3, 1, 0},
          {"tank.odf", 4, 1, 1},
          {"cannon.odf", 5, 2, 0}}},
        {"the longest path decides",
         {"a.odf 0", "b.odf 1 a.odf", "c.odf 2 a.odf b.odf"},
         {{"a.odf", 1, 0, 0}, {"b.odf", 2, 1, 0}, {"c.odf", 3, 2, 0}}},
        {"placed under the mean of its requirements",
         {"p.odf 0", "q.odf 0", "r.odf 0", "x.odf 1 r.odf", "y.odf 1 p.odf"},
         {{"p.odf", 1, 0, 0},
          {"q.odf", 2, 0, 1},
          {"r.odf", 3, 0, 2},
          {"x.odf", 4, 1, 1},
          {"y.odf", 5, 1, 0}}},
        {"a circle is cut where the walk comes back",
         {"a.odf 1 b.odf", "b.odf 1 a.odf"},
         {{"a.odf", 1, 1, 0}, {"b.odf", 2, 0, 0}}},
        {"a repeated entry adds no node", {"a.odf 0", "A.odf 0"}, {{"a.odf", 1, 0, 0}}},
    };
    for (const auto& c : cases) {
        const TechTreeGraph graph = BuildTechTreeGraph(c.lines);
        std::vector<Placed> nodes;
        for (const TechTreeNode& n : graph.nodes)
            nodes.push_back({n.object, n.line, n.layer, n.order});
        EXPECT_EQ(nodes, c.nodes) << c.name;
    }
}

// On any tree: every edge kept for the layering goes up at least one layer, and the places within
// each layer are 0, 1, 2... with none taken twice.
TEST(TechTreeGraphTest, LayoutHoldsOnRandomTrees) {
    std::mt19937 random(11);
    for (int round = 0; round < 50; ++round) {
        const int count = 1 + static_cast<int>(random() % 60);
        LineList lines;
        for (int i = 0; i < count; ++i) {
            const int requirements = static_cast<int>(random() % 4);
            std::string line =
                "n" + std::to_string(random() % count) + ".odf " + std::to_string(requirements);
            for (int r = 0; r < requirements; ++r)
                line += " N" + std::to_string(random() % count) + ".ODF";
            lines.push_back(line);
        }
        const TechTreeGraph graph = BuildTechTreeGraph(lines);
        for (const TechTreeEdge& e : graph.edges) {
            if (e.closesCycle)
                continue;
            ASSERT_GT(graph.nodes[e.object].layer, graph.nodes[e.requirement].layer) << "round " << round;
        }
        std::map<int, std::vector<int>> orders;
        for (const TechTreeNode& n : graph.nodes)
            orders[n.layer].push_back(n.order);
        for (auto& [layer, placed] : orders) {
            std::sort(placed.begin(), placed.end());
            for (std::size_t i = 0; i < placed.size(); ++i)
                ASSERT_EQ(placed[i], static_cast<int>(i)) << "round " << round << " layer " << layer;
        }
    }
}

TEST(TechTreeGraphTest, Edges) {
    const TechTreeGraph graph =
        BuildTechTreeGraph({"a.odf 0", "b.odf 3 a.odf A.ODF zz.odf", "b.odf 1 a.odf"});
    ASSERT_EQ(graph.edges.size(), 1u) << "one edge per pair, none to an object without an entry";
    EXPECT_EQ(graph.edges[0].object, 1u);
    EXPECT_EQ(graph.edges[0].requirement, 0u);
    EXPECT_EQ(graph.edges[0].line, 2);
    ASSERT_EQ(graph.repeats.size(), 1u);
    EXPECT_EQ(graph.repeats[0].line, 3);
}

} // namespace
