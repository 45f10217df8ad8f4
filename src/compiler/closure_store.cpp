#include "closure_store.h"

#include "directed_graph.h"
#include "document_lines.h"

#include <algorithm>

namespace varko::compiler::closure {

IncludeLines IncludeLinesOf(const textrules::LineList& lines) {
    IncludeLines includes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::optional<std::string> name = lines::IncludedName(lines[i]))
            includes.emplace_back(static_cast<int>(i + 1), std::move(*name));
    }
    return includes;
}

const Node* ClosureStore::Resolve(std::string_view name) {
    if (const Node* node = Find(name))
        return node;
    // Files are read outside the lock, so the workers read at once; only the graph waits.
    ReadFiles read = ReadAhead(name);
    std::lock_guard lock(m_mutex);
    if (auto it = m_byName.find(name); it != m_byName.end())
        return it->second;
    Node& node = Create(name, read);
    Summarise(Discover(node, read));
    return &node;
}

// The files the name reaches that the store does not hold yet.
ClosureStore::ReadFiles ClosureStore::ReadAhead(std::string_view name) const {
    ReadFiles read;
    std::vector<std::string> pending{std::string(name)};
    while (!pending.empty()) {
        std::string next = std::move(pending.back());
        pending.pop_back();
        if (read.contains(next) || Find(next))
            continue;
        ReadFile file{m_source(next), {}};
        if (file.lines)
            file.includes = IncludeLinesOf(*file.lines);
        for (const auto& [line, included] : file.includes)
            pending.push_back(included);
        read.emplace(std::move(next), std::move(file));
    }
    return read;
}

const Node* ClosureStore::Find(std::string_view name) const {
    std::lock_guard lock(m_mutex);
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

Node& ClosureStore::Create(std::string_view name, ReadFiles& read) {
    Node& node = m_nodes.emplace_back();
    node.id = static_cast<std::uint32_t>(m_nodes.size() - 1);
    node.name = std::string(name);
    if (auto it = read.find(name); it != read.end()) {
        node.lines = std::move(it->second.lines);
        node.includes = std::move(it->second.includes);
    } else {
        node.lines = m_source(name);
        if (node.lines)
            node.includes = IncludeLinesOf(*node.lines);
    }
    m_byName.emplace(node.name, &node);
    return node;
}

// Reads every file the start reaches that no earlier call read; the new files in the order found.
std::vector<Node*> ClosureStore::Discover(Node& start, ReadFiles& read) {
    std::vector<Node*> found{&start};
    for (std::size_t i = 0; i < found.size(); ++i) {
        Node& node = *found[i];
        for (const auto& [line, included] : node.includes) {
            auto it = m_byName.find(included);
            node.edges.push_back(it != m_byName.end() ? it->second
                                                      : found.emplace_back(&Create(included, read)));
        }
    }
    return found;
}

// New nodes have consecutive ids, so a node's place among them is its id less the first one's.
void ClosureStore::Summarise(const std::vector<Node*>& found) {
    const std::uint32_t first = found.front()->id;
    std::vector<graph::Edge> edges;
    for (const Node* node : found) {
        for (const Node* target : node->edges) {
            if (target->id >= first)
                edges.emplace_back(node->id - first, target->id - first);
        }
    }
    const std::vector<std::size_t> component = graph::StrongComponents(graph::OutEdges(found.size(), edges));
    std::vector<std::vector<Node*>> members;
    for (Node* node : found) {
        const std::size_t c = component[node->id - first];
        node->component = m_components + static_cast<std::uint32_t>(c);
        members.resize(std::max(members.size(), c + 1));
        members[c].push_back(node);
    }
    m_components += static_cast<std::uint32_t>(members.size());
    // Components finish sinks first, so whatever a member includes outside its own is summarised.
    for (const std::vector<Node*>& group : members) {
        for (Node* node : group) {
            if (node->lines)
                node->summary = SummariseNode(*this, *node);
        }
    }
}

const NameTable& ClosureStore::TableOf(const Node& start) {
    std::lock_guard lock(m_mutex);
    // A file that includes one other file as a whole has its table made only now; along a chain of
    // such files, from the far end back, so no call recurses deeply.
    std::vector<Node*> pending;
    for (Node* node = &m_nodes[start.id]; !node->summary.table;) {
        pending.push_back(node);
        if (!node->summary.onlyBlock)
            break;
        node = &m_nodes[node->summary.onlyBlock->id];
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
        (*it)->summary.table =
            std::make_shared<const NameTable>((*it)->lines ? NodeTable(*this, **it) : NameTable{});
    return *m_nodes[start.id].summary.table;
}

const std::vector<std::uint32_t>& ClosureStore::ReachOf(const Node& start) {
    std::lock_guard lock(m_mutex);
    Node& node = m_nodes[start.id];
    if (!node.reach) {
        std::vector<char> seen(m_nodes.size(), 0);
        std::vector<std::uint32_t> reach{node.id};
        seen[node.id] = 1;
        for (std::size_t i = 0; i < reach.size(); ++i) {
            for (const Node* target : m_nodes[reach[i]].edges) {
                if (!seen[target->id]) {
                    seen[target->id] = 1;
                    reach.push_back(target->id);
                }
            }
        }
        std::sort(reach.begin(), reach.end());
        node.reach = std::make_shared<const std::vector<std::uint32_t>>(std::move(reach));
    }
    return *node.reach;
}

} // namespace varko::compiler::closure
