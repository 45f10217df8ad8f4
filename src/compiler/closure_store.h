#pragma once

#include "closure_types.h"
#include "varko/textrules/case_insensitive.h"

#include <deque>
#include <mutex>
#include <unordered_map>

namespace varko::compiler::closure {

// Every file the include lines of a run name, each read once, with the summary of its expansion.
// The first ask for a file reads whatever it reaches that no ask has read yet, finds the circles
// among those files (strongly connected components) and summarises them, the files they include
// first. Safe to call from several threads: each call takes the one lock, and what a call hands
// back does not change afterwards.
class ClosureStore {
public:
    explicit ClosureStore(OdfSource source) : m_source(std::move(source)) {}

    // The file `name` names, with the summary of everything it reaches.
    const Node* Resolve(std::string_view name);
    // The file, if some include line read so far names it; nothing is read.
    const Node* Find(std::string_view name) const;
    const NameTable& TableOf(const Node& node);
    // The ids of the files the node reaches, itself included, sorted.
    const std::vector<std::uint32_t>& ReachOf(const Node& node);
    // Keeps a name for the summaries; only while a summary is made (under the lock).
    std::deque<std::string>& Names() { return m_names; }

private:
    // A file read before the lock is taken, with its include lines.
    struct ReadFile {
        SharedLines lines;
        IncludeLines includes;
    };
    using ReadFiles = std::unordered_map<std::string, ReadFile, textrules::CaseInsensitiveHash,
                                         textrules::CaseInsensitiveEqual>;

    ReadFiles ReadAhead(std::string_view name) const;
    Node& Create(std::string_view name, ReadFiles& read);
    std::vector<Node*> Discover(Node& start, ReadFiles& read);
    void Summarise(const std::vector<Node*>& found);

    mutable std::recursive_mutex m_mutex;
    OdfSource m_source;
    std::deque<Node> m_nodes;
    std::unordered_map<std::string, Node*, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>
        m_byName;
    std::deque<std::string> m_names;
    std::uint32_t m_components = 0;
};

// The summary of a node's expansion, and its full name table (both over nodes it includes that
// the store has summarised already).
Summary SummariseNode(ClosureStore& store, const Node& node);
NameTable NodeTable(ClosureStore& store, const Node& node);

} // namespace varko::compiler::closure
