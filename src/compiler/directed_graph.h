#pragma once

// Graph walks for the cross-file checks. All of them are iterative: a tree of 100,000 objects in
// one circle must not run out of stack.

#include <cstddef>
#include <utility>
#include <vector>

namespace varko::compiler::graph {

using Edge = std::pair<std::size_t, std::size_t>; // from, to

// Out-edges in compressed rows: the edges leaving node v are entries first[v] .. first[v + 1] - 1 of
// target (where they lead) and edge (their index in the list they were built from), in list order.
struct Adjacency {
    std::vector<std::size_t> first;
    std::vector<std::size_t> target;
    std::vector<std::size_t> edge;

    std::size_t NodeCount() const { return first.empty() ? 0 : first.size() - 1; }
};

Adjacency OutEdges(std::size_t nodeCount, const std::vector<Edge>& edges);

// The strongly connected component of each node, numbered in the order they are completed.
std::vector<std::size_t> StrongComponents(const Adjacency& graph);

// The shortest closed path from start back to start (start not repeated at the end), through the
// nodes of start's component only; empty when there is none. Ties go to the edges listed first.
std::vector<std::size_t> ShortestCircle(const Adjacency& graph, const std::vector<std::size_t>& component,
                                        std::size_t start);

// The edges that lead back to a node still being walked, in a depth-first walk from each node in
// turn: without them the graph has no cycle.
std::vector<bool> BackEdges(const Adjacency& graph, std::size_t edgeCount);

} // namespace varko::compiler::graph
