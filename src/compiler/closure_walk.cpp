#include "closure_walk.h"

#include "document_lines.h"

#include <algorithm>

namespace varko::compiler::closure {

namespace {

using NameSet =
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>;

class Walk {
public:
    Walk(ClosureStore& store, std::deque<std::string>& names, const WalkRoot& root)
        : m_store(store), m_names(names), m_root(root) {}

    Composition Run() {
        m_met.insert(std::string(m_root.name));
        Enter(&m_names.emplace_back(m_root.name), m_root.lines, m_root.includes, m_root.component, nullptr);
        while (!m_frames.empty()) {
            Frame& top = m_frames.back();
            if (top.includes ? top.next == top.includes->size() : top.next == top.lines->size()) {
                Leave();
                continue;
            }
            const std::size_t i = top.next++;
            const int line = top.includes ? (*top.includes)[i].first : static_cast<int>(i + 1);
            if (m_frames.size() == 1)
                m_rootLine = line;
            if (top.includes)
                Include((*top.includes)[i].second);
            else
                Visit((*top.lines)[i], line, top.file);
        }
        return std::move(m_result);
    }

private:
    // Without sites to list, a frame steps through the file's include lines only.
    struct Frame {
        const textrules::LineList* lines = nullptr;
        const IncludeLines* includes = nullptr;
        std::size_t next = 0;
        std::size_t file = 0;
        std::optional<std::uint32_t> component;
    };

    void Enter(const std::string* name, const textrules::LineList& lines, const IncludeLines* includes,
               std::optional<std::uint32_t> component, const Node* node) {
        const std::size_t parent = m_frames.empty() ? kNoFile : m_frames.back().file;
        const std::size_t file = m_result.files.size();
        m_result.files.push_back({name, parent, nullptr, m_rootLine, &lines});
        m_frames.push_back({&lines, m_root.listSites ? nullptr : includes, 0, file, component});
        m_open.insert(*name);
        if (component)
            ++m_openComponents[*component];
        if (node && (!m_root.component || node->component != *m_root.component)) {
            m_foreign.insert(node->id);
            m_anyForeign = true;
        }
    }

    void Leave() {
        const Frame& top = m_frames.back();
        m_open.erase(*m_result.files[top.file].name);
        if (top.component && --m_openComponents[*top.component] == 0)
            m_openComponents.erase(*top.component);
        m_frames.pop_back();
    }

    // May push a frame, so it takes the file index by value.
    void Visit(const std::string& text, int line, std::size_t file) {
        if (std::optional<std::string> included = lines::IncludedName(text))
            Include(std::move(*included));
        else if (!m_root.listSites || (file == 0 && m_root.sites == DocumentSites::Left))
            return;
        else if (std::optional<PropertyLineView> property = lines::PropertyOf(text)) {
            const std::string* owner = file == 0 ? nullptr : m_result.files[file].name;
            m_result.items.push_back({false, m_result.sites.size()});
            m_result.sites.push_back({{property->name, property->value, owner, line}, file, m_rootLine});
        }
    }

    void Include(std::string name) {
        if (m_open.contains(name)) {
            if (!CycleNoted())
                NoteCycle(
                    std::make_shared<const ChainLink>(ChainLink{&m_names.emplace_back(std::move(name)), {}}));
            return;
        }
        if (!m_met.insert(name).second)
            return;
        const Node* node = m_store.Resolve(name);
        if (!node->lines || MetThroughBlock(*node))
            return;
        const std::string* kept = &m_names.emplace_back(std::move(name));
        if (ReachesOpen(*node) || Overlaps(*node))
            Enter(kept, *node->lines, &node->includes, node->component, node);
        else
            TakeBlock(*node, kept);
    }

    void TakeBlock(const Node& node, const std::string* name) {
        m_result.items.push_back({true, m_result.files.size()});
        m_result.files.push_back({name, m_frames.back().file, &node, m_rootLine});
        ++m_result.blocks;
        m_pending.push_back(&node);
        m_anyForeign = true;
        if (!node.summary.cycles.empty() && !CycleNoted())
            NoteCycle(std::make_shared<const ChainLink>(ChainLink{name, node.summary.cycles.front().chain}));
    }

    bool CycleNoted() const {
        return !m_result.cycles.empty() && m_result.cycles.back().rootLine == m_rootLine;
    }

    // The files being expanded below the root, then the tail.
    void NoteCycle(Chain tail) {
        for (std::size_t i = m_frames.size(); i-- > 1;)
            tail = std::make_shared<const ChainLink>(ChainLink{m_result.files[m_frames[i].file].name, tail});
        m_result.cycles.push_back({m_rootLine, std::move(tail)});
    }

    // A file reaches an open one exactly when they share a component: the open files reach it.
    bool ReachesOpen(const Node& node) {
        if (m_openComponents.contains(node.component))
            return true;
        if (m_root.component || !m_root.node)
            return false;
        const std::vector<std::uint32_t>& reach = m_store.ReachOf(node);
        return std::binary_search(reach.begin(), reach.end(), m_root.node->id);
    }

    bool MetThroughBlock(const Node& node) {
        if (!m_anyForeign)
            return false;
        Flush();
        return m_foreign.contains(node.id);
    }

    bool Overlaps(const Node& node) {
        if (!m_anyForeign)
            return false;
        Flush();
        const std::vector<std::uint32_t>& reach = m_store.ReachOf(node);
        return std::any_of(reach.begin(), reach.end(),
                           [&](std::uint32_t id) { return m_foreign.contains(id); });
    }

    void Flush() {
        for (const Node* block : m_pending) {
            const std::vector<std::uint32_t>& reach = m_store.ReachOf(*block);
            m_foreign.insert(reach.begin(), reach.end());
        }
        m_pending.clear();
    }

    ClosureStore& m_store;
    std::deque<std::string>& m_names;
    const WalkRoot& m_root;
    NameSet m_met;  // every file named so far, expanded or not
    NameSet m_open; // the files being expanded, from the root down
    std::unordered_map<std::uint32_t, int> m_openComponents;
    std::unordered_set<std::uint32_t> m_foreign; // met outside the root's component, blocks' reach
    std::vector<const Node*> m_pending;          // blocks whose reach is not yet in m_foreign
    bool m_anyForeign = false;
    std::vector<Frame> m_frames;
    int m_rootLine = 0;
    Composition m_result;
};

} // namespace

bool Composition::Path() const {
    for (std::size_t f = 1; f < files.size(); ++f) {
        if (files[f].parent != f - 1)
            return false;
    }
    return blocks == 0 || (blocks == 1 && files.back().block);
}

Composition WalkClosure(ClosureStore& store, std::deque<std::string>& names, const WalkRoot& root) {
    return Walk(store, names, root).Run();
}

} // namespace varko::compiler::closure
