#include "varko/compiler/tech_tree_graph.h"

#include "directed_graph.h"
#include "document_lines.h"
#include "tech_tree_layout.h"
#include "varko/textrules/case_insensitive.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace varko::compiler {

namespace {

using NodeIndex = std::unordered_map<std::string, std::size_t, textrules::CaseInsensitiveHash,
                                     textrules::CaseInsensitiveEqual>;

void AddNodes(TechTreeGraph& graph, const std::vector<lines::TechTreeEntry>& entries, NodeIndex& index) {
    for (const lines::TechTreeEntry& entry : entries) {
        auto [it, added] = index.try_emplace(entry.object, graph.nodes.size());
        if (added)
            graph.nodes.push_back({entry.object, entry.line, 0, 0});
        else
            graph.repeats.push_back({it->second, entry.line, entry.object});
    }
}

// Every entry of an object adds its requirements, so a circle through a repeated entry is found too.
void AddEdges(TechTreeGraph& graph, const std::vector<lines::TechTreeEntry>& entries,
              const NodeIndex& index) {
    std::unordered_set<std::uint64_t> seen;
    for (const lines::TechTreeEntry& entry : entries) {
        const std::size_t object = index.find(entry.object)->second;
        for (const std::string& name : entry.requirements) {
            auto it = index.find(name);
            if (it == index.end())
                continue;
            const std::uint64_t key = (static_cast<std::uint64_t>(object) << 32) | it->second;
            if (seen.insert(key).second)
                graph.edges.push_back({object, it->second, entry.line, false});
        }
    }
}

// One circle per component that has a cycle, through its earliest entry (its lowest node index,
// since nodes follow their first entries).
void FindCircles(TechTreeGraph& graph, const graph::Adjacency& adjacency) {
    const std::vector<std::size_t> component = graph::StrongComponents(adjacency);
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::vector<std::size_t> earliest(graph.nodes.size(), kNone);
    std::vector<std::size_t> members(graph.nodes.size(), 0);
    for (std::size_t v = 0; v < graph.nodes.size(); ++v) {
        earliest[component[v]] = std::min(earliest[component[v]], v);
        ++members[component[v]];
    }
    std::vector<bool> cyclic(graph.nodes.size(), false);
    for (std::size_t v = 0; v < graph.nodes.size(); ++v)
        cyclic[v] = members[component[v]] > 1 && earliest[component[v]] == v;
    for (const TechTreeEdge& e : graph.edges)
        cyclic[e.object] = cyclic[e.object] || e.object == e.requirement;
    for (std::size_t v = 0; v < graph.nodes.size(); ++v) {
        if (cyclic[v])
            graph.circles.push_back({graph::ShortestCircle(adjacency, component, v)});
    }
}

std::vector<graph::Edge> EdgeList(const TechTreeGraph& graph) {
    std::vector<graph::Edge> list;
    list.reserve(graph.edges.size());
    for (const TechTreeEdge& e : graph.edges)
        list.emplace_back(e.object, e.requirement);
    return list;
}

} // namespace

TechTreeGraph BuildTechTreeGraph(const textrules::LineList& lines) {
    const std::vector<lines::TechTreeEntry> entries = lines::TechTreeEntries(lines);
    TechTreeGraph graph;
    NodeIndex index;
    AddNodes(graph, entries, index);
    AddEdges(graph, entries, index);
    const graph::Adjacency adjacency = graph::OutEdges(graph.nodes.size(), EdgeList(graph));
    FindCircles(graph, adjacency);
    LayOutTechTree(graph, adjacency);
    return graph;
}

std::string CircleText(const TechTreeGraph& graph, const TechTreeCircle& circle) {
    std::string text;
    for (std::size_t v : circle.nodes)
        text += graph.nodes[v].object + " -> ";
    if (!circle.nodes.empty())
        text += graph.nodes[circle.nodes.front()].object;
    return text;
}

std::vector<Finding> TechTreeFindings(const TechTreeGraph& graph) {
    std::vector<Finding> findings;
    for (const TechTreeCircle& circle : graph.circles)
        findings.push_back({graph.nodes[circle.nodes.front()].line, 1, "X1", {CircleText(graph, circle)}});
    for (const TechTreeRepeat& repeat : graph.repeats)
        findings.push_back(
            {repeat.line, 1, "X2", {repeat.object, std::to_string(graph.nodes[repeat.node].line)}});
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

std::vector<Finding> CheckTechTreeGraph(const textrules::LineList& lines) {
    return TechTreeFindings(BuildTechTreeGraph(lines));
}

} // namespace varko::compiler
