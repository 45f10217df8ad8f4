#pragma once

#include "varko/compiler/tech_tree_graph.h"
#include "varko/textrules/text_rules.h"

#include <QPainterPath>
#include <QRectF>

#include <cstddef>
#include <vector>

namespace varko::maintree {

// A tech tree laid out for drawing, made off the GUI thread from a copy of the tree's lines: one box
// per object, layer 0 (objects that require nothing) on top and each object's requirements in the
// layers above it; one arrow per requirement, from the requirement to the object that needs it.
struct GraphPicture {
    compiler::TechTreeGraph graph;
    std::vector<QRectF> boxes;                          // per node
    std::vector<QPainterPath> arrows;                   // per edge; the next-to-last point is the tip
    std::vector<char> nodeOnCircle;                     // per node
    std::vector<char> edgeOnCircle;                     // per edge
    std::vector<std::vector<std::size_t>> requirements; // per node: its edges, as its entries list them
    QRectF bounds;                                      // of everything, with a margin
};

inline constexpr double kBoxWidth = 150;
inline constexpr double kBoxHeight = 28;
// Below this scale a name would be a few pixels high: boxes go without names, arrows are straight
// lines without heads, nothing is antialiased, so a large tree zoomed out paints quickly.
inline constexpr double kSmallestDetailedScale = 0.45;

GraphPicture MakeGraphPicture(const textrules::LineList& lines);

} // namespace varko::maintree
