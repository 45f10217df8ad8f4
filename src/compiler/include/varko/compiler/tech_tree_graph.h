#pragma once

#include "varko/compiler/finding.h"
#include "varko/textrules/text_rules.h"

#include <cstddef>
#include <string>
#include <vector>

namespace varko::compiler {

// The requirements of a tech tree as a graph, for the cycle check and for a graph view: pure data,
// the view draws it. A node is an object with an entry; objects are the same when their names
// differ only in case, and the first entry of an object stands for it.
struct TechTreeNode {
    std::string object; // as its first entry writes it
    int line = 0;       // of its first entry
    int layer = 0;      // 0: requires nothing that has an entry; else one more than its deepest requirement
    int order = 0;      // place within its layer, from 0
};

// The object requires the requirement; only requirements that have an entry make an edge.
struct TechTreeEdge {
    std::size_t object = 0;
    std::size_t requirement = 0;
    int line = 0;             // the entry that names the requirement first
    bool closesCycle = false; // left out of the layering, so the layers can be ordered
};

// A closed path of requirements, from its earliest entry back to it: object i requires object i + 1,
// and the last requires the first.
struct TechTreeCircle {
    std::vector<std::size_t> nodes;
};

// An entry for an object that already has one.
struct TechTreeRepeat {
    std::size_t node = 0;
    int line = 0;
    std::string object; // as this entry writes it
};

struct TechTreeGraph {
    std::vector<TechTreeNode> nodes; // in the order of their first entries
    std::vector<TechTreeEdge> edges;
    std::vector<TechTreeCircle> circles; // one per group of objects that require each other
    std::vector<TechTreeRepeat> repeats;
};

// Builds the graph of a tech tree's lines, with its circles and its layered layout.
TechTreeGraph BuildTechTreeGraph(const textrules::LineList& lines);

// Circles ("X1", on the circle's first entry) and repeated objects ("X2", on each later entry),
// ordered by line.
std::vector<Finding> CheckTechTreeGraph(const textrules::LineList& lines);
std::vector<Finding> TechTreeFindings(const TechTreeGraph& graph);

// "a.odf -> b.odf -> a.odf"
std::string CircleText(const TechTreeGraph& graph, const TechTreeCircle& circle);

} // namespace varko::compiler
