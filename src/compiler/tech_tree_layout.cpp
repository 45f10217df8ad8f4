#include "tech_tree_layout.h"

#include <algorithm>
#include <deque>

namespace varko::compiler {

namespace {

// Longest-path layering over the edges that close no cycle: requirements first, so an object sits
// one layer below its deepest requirement. Nodes are settled once all their requirements are.
void AssignLayers(TechTreeGraph& graph) {
    const std::size_t n = graph.nodes.size();
    std::vector<std::size_t> pending(n, 0);
    std::vector<std::vector<std::size_t>> requiredBy(n);
    for (const TechTreeEdge& e : graph.edges) {
        if (e.closesCycle)
            continue;
        ++pending[e.object];
        requiredBy[e.requirement].push_back(e.object);
    }
    std::deque<std::size_t> ready;
    for (std::size_t v = 0; v < n; ++v) {
        if (pending[v] == 0)
            ready.push_back(v);
    }
    while (!ready.empty()) {
        const std::size_t w = ready.front();
        ready.pop_front();
        for (std::size_t u : requiredBy[w]) {
            graph.nodes[u].layer = std::max(graph.nodes[u].layer, graph.nodes[w].layer + 1);
            if (--pending[u] == 0)
                ready.push_back(u);
        }
    }
}

std::vector<std::vector<std::size_t>> NodesByLayer(const TechTreeGraph& graph) {
    std::vector<std::vector<std::size_t>> layers;
    for (std::size_t v = 0; v < graph.nodes.size(); ++v) {
        const auto layer = static_cast<std::size_t>(graph.nodes[v].layer);
        if (layers.size() <= layer)
            layers.resize(layer + 1);
        layers[layer].push_back(v);
    }
    return layers;
}

// Within a layer, an object stands near the mean place of its requirements, which are all in the
// layers above and already placed; ties keep the order of the entries.
void AssignOrder(TechTreeGraph& graph) {
    std::vector<std::vector<std::size_t>> requirements(graph.nodes.size());
    for (const TechTreeEdge& e : graph.edges) {
        if (!e.closesCycle)
            requirements[e.object].push_back(e.requirement);
    }
    std::vector<double> key(graph.nodes.size(), 0.0);
    for (std::vector<std::size_t>& layer : NodesByLayer(graph)) {
        for (std::size_t v : layer) {
            for (std::size_t r : requirements[v])
                key[v] += graph.nodes[r].order;
            if (!requirements[v].empty())
                key[v] /= static_cast<double>(requirements[v].size());
        }
        std::stable_sort(layer.begin(), layer.end(),
                         [&](std::size_t a, std::size_t b) { return key[a] < key[b]; });
        for (std::size_t i = 0; i < layer.size(); ++i)
            graph.nodes[layer[i]].order = static_cast<int>(i);
    }
}

} // namespace

void LayOutTechTree(TechTreeGraph& graph, const graph::Adjacency& adjacency) {
    const std::vector<bool> back = graph::BackEdges(adjacency, graph.edges.size());
    for (std::size_t i = 0; i < graph.edges.size(); ++i)
        graph.edges[i].closesCycle = back[i];
    AssignLayers(graph);
    AssignOrder(graph);
}

} // namespace varko::compiler
