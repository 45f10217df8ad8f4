#include "directed_graph.h"

#include <algorithm>
#include <deque>
#include <limits>

namespace varko::compiler::graph {

namespace {
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// Tarjan's algorithm with an explicit stack of (node, next out-edge) instead of recursion.
class Tarjan {
public:
    explicit Tarjan(const Adjacency& graph)
        : m_graph(graph), m_index(graph.NodeCount(), kNone), m_low(graph.NodeCount(), 0),
          m_onStack(graph.NodeCount(), false), m_component(graph.NodeCount(), kNone) {}

    std::vector<std::size_t> Run() {
        for (std::size_t root = 0; root < m_graph.NodeCount(); ++root) {
            if (m_index[root] == kNone)
                Walk(root);
        }
        return std::move(m_component);
    }

private:
    void Enter(std::size_t v) {
        m_index[v] = m_low[v] = m_counter++;
        m_stack.push_back(v);
        m_onStack[v] = true;
        m_calls.emplace_back(v, m_graph.first[v]);
    }

    void Walk(std::size_t root) {
        Enter(root);
        while (!m_calls.empty()) {
            auto& [v, next] = m_calls.back();
            if (next < m_graph.first[v + 1]) {
                const std::size_t w = m_graph.target[next++];
                if (m_index[w] == kNone)
                    Enter(w);
                else if (m_onStack[w])
                    m_low[v] = std::min(m_low[v], m_index[w]);
                continue;
            }
            const std::size_t done = v;
            m_calls.pop_back();
            if (!m_calls.empty())
                m_low[m_calls.back().first] = std::min(m_low[m_calls.back().first], m_low[done]);
            if (m_low[done] == m_index[done])
                Close(done);
        }
    }

    void Close(std::size_t head) {
        std::size_t w = kNone;
        do {
            w = m_stack.back();
            m_stack.pop_back();
            m_onStack[w] = false;
            m_component[w] = m_components;
        } while (w != head);
        ++m_components;
    }

    const Adjacency& m_graph;
    std::vector<std::size_t> m_index;
    std::vector<std::size_t> m_low;
    std::vector<bool> m_onStack;
    std::vector<std::size_t> m_component;
    std::vector<std::size_t> m_stack;
    std::vector<std::pair<std::size_t, std::size_t>> m_calls;
    std::size_t m_counter = 0;
    std::size_t m_components = 0;
};
} // namespace

Adjacency OutEdges(std::size_t nodeCount, const std::vector<Edge>& edges) {
    Adjacency graph;
    graph.first.assign(nodeCount + 1, 0);
    for (const Edge& e : edges)
        ++graph.first[e.first + 1];
    for (std::size_t v = 0; v < nodeCount; ++v)
        graph.first[v + 1] += graph.first[v];
    graph.target.resize(edges.size());
    graph.edge.resize(edges.size());
    std::vector<std::size_t> fill(graph.first.begin(), graph.first.end() - 1);
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const std::size_t slot = fill[edges[i].first]++;
        graph.target[slot] = edges[i].second;
        graph.edge[slot] = i;
    }
    return graph;
}

std::vector<std::size_t> StrongComponents(const Adjacency& graph) {
    return Tarjan(graph).Run();
}

std::vector<std::size_t> ShortestCircle(const Adjacency& graph, const std::vector<std::size_t>& component,
                                        std::size_t start) {
    std::vector<std::size_t> parent(graph.NodeCount(), kNone);
    std::deque<std::size_t> queue{start};
    parent[start] = start;
    while (!queue.empty()) {
        const std::size_t v = queue.front();
        queue.pop_front();
        for (std::size_t i = graph.first[v]; i < graph.first[v + 1]; ++i) {
            const std::size_t w = graph.target[i];
            if (w == start) {
                std::vector<std::size_t> circle;
                for (std::size_t at = v; at != start; at = parent[at])
                    circle.push_back(at);
                circle.push_back(start);
                std::reverse(circle.begin(), circle.end());
                return circle;
            }
            if (parent[w] == kNone && component[w] == component[start]) {
                parent[w] = v;
                queue.push_back(w);
            }
        }
    }
    return {};
}

std::vector<bool> BackEdges(const Adjacency& graph, std::size_t edgeCount) {
    enum Mark : unsigned char { Unseen, Open, Done };
    std::vector<Mark> mark(graph.NodeCount(), Unseen);
    std::vector<bool> back(edgeCount, false);
    std::vector<std::pair<std::size_t, std::size_t>> calls; // node, next out-edge
    for (std::size_t root = 0; root < graph.NodeCount(); ++root) {
        if (mark[root] != Unseen)
            continue;
        mark[root] = Open;
        calls.emplace_back(root, graph.first[root]);
        while (!calls.empty()) {
            auto& [v, next] = calls.back();
            if (next == graph.first[v + 1]) {
                mark[v] = Done;
                calls.pop_back();
                continue;
            }
            const std::size_t slot = next++;
            const std::size_t w = graph.target[slot];
            if (mark[w] == Open)
                back[graph.edge[slot]] = true;
            else if (mark[w] == Unseen) {
                mark[w] = Open;
                calls.emplace_back(w, graph.first[w]);
            }
        }
    }
    return back;
}

} // namespace varko::compiler::graph
