#include "varko/compiler/include_closures.h"

#include "closure_names.h"
#include "document_lines.h"

#include <algorithm>

namespace varko::compiler {

namespace closure {

namespace {

WalkRoot NodeRoot(const Node& node, bool listSites) {
    return {node.name, *node.lines, node.component, &node, DocumentSites::Listed, listSites, &node.includes};
}

} // namespace

// The walk first records only files and cycles; a path needs no more, any other shape its names.
Summary SummariseNode(ClosureStore& store, const Node& node) {
    Composition walk = WalkClosure(store, store.Names(), NodeRoot(node, false));
    Summary summary;
    summary.cycles = std::move(walk.cycles);
    if (walk.Path()) {
        summary.onlyBlock = walk.Block() ? walk.Block()->block : nullptr;
        summary.clashes = PathClashes(walk);
        return summary;
    }
    NamesAndClashes names = ComposeNames(store, WalkClosure(store, store.Names(), NodeRoot(node, true)));
    summary.table = std::make_shared<const NameTable>(std::move(names.table));
    summary.clashes = std::move(names.clashes);
    return summary;
}

NameTable NodeTable(ClosureStore& store, const Node& node) {
    return ComposeNames(store, WalkClosure(store, store.Names(), NodeRoot(node, true))).table;
}

} // namespace closure

namespace {

// The document as a root: its node, if an include line names it. When the node's include lines
// name the files the document's do, whatever the walk reaches the node reaches too, and a file
// leads back to the document exactly when it shares the node's component.
closure::WalkRoot DocumentRoot(closure::ClosureStore& store, std::string_view name,
                               const textrules::LineList& lines, const closure::IncludeLines& includes) {
    std::vector<const closure::Node*> included;
    for (const auto& [line, target] : includes)
        included.push_back(store.Resolve(target));
    closure::WalkRoot root{name,  lines,    std::nullopt, store.Find(name), DocumentSites::Left,
                           false, &includes};
    if (!root.node || !root.node->lines)
        return root;
    const std::vector<const closure::Node*>& edges = root.node->edges;
    if (std::all_of(included.begin(), included.end(), [&](const closure::Node* node) {
            return std::find(edges.begin(), edges.end(), node) != edges.end();
        }))
        root.component = root.node->component;
    return root;
}

std::string ChainText(std::string_view root, const closure::Chain& chain) {
    std::string text(root);
    for (const closure::ChainLink* link = chain.get(); link; link = link->next.get())
        text += " -> " + *link->name;
    return text;
}

Finding ClashFinding(const closure::Clash& clash) {
    return {clash.rootLine,
            1,
            "X4",
            {std::string(clash.later.name), *clash.earlier.file, std::to_string(clash.earlier.line),
             *clash.later.file, std::to_string(clash.later.line)}};
}

} // namespace

IncludeClosures::IncludeClosures(OdfSource source)
    : m_store(std::make_shared<closure::ClosureStore>(std::move(source))) {}

std::vector<Finding> IncludeClosures::Check(std::string_view documentName,
                                            const textrules::LineList& lines) const {
    const std::string_view name = lines::FileNamePart(documentName);
    std::deque<std::string> names;
    const closure::IncludeLines includes = closure::IncludeLinesOf(lines);
    closure::WalkRoot root = DocumentRoot(*m_store, name, lines, includes);
    const closure::Composition walk = closure::WalkClosure(*m_store, names, root);
    std::vector<Finding> findings;
    for (const closure::RootCycle& cycle : walk.cycles)
        findings.push_back({cycle.rootLine, 1, "X3", {ChainText(name, cycle.chain)}});
    std::vector<Finding> clashes;
    if (walk.Path()) {
        for (const closure::Clash& clash : closure::PathClashes(walk))
            clashes.push_back(ClashFinding(clash));
    } else {
        root.listSites = true;
        for (const closure::Clash& clash :
             closure::ComposeNames(*m_store, closure::WalkClosure(*m_store, names, root)).clashes)
            clashes.push_back(ClashFinding(clash));
        DropNamesTheDocumentSets(lines, clashes);
    }
    findings.insert(findings.end(), std::make_move_iterator(clashes.begin()),
                    std::make_move_iterator(clashes.end()));
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

} // namespace varko::compiler
