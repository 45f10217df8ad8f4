#pragma once

#include "closure_store.h"
#include "include_walk.h"

#include <deque>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace varko::compiler::closure {

// A file of a walk: one expanded line by line, or one taken whole from its summary (a block).
struct WalkFile {
    const std::string* name = nullptr;
    std::size_t parent = kNoFile;
    const Node* block = nullptr;
    int rootLine = 0;
    const textrules::LineList* lines = nullptr; // of a file expanded line by line
};

struct WalkSite {
    Site site;
    std::size_t file = 0;
    int rootLine = 0;
};

// A site, or a block (by its file), in walk order.
struct WalkItem {
    bool block = false;
    std::size_t index = 0;
};

struct Composition {
    std::vector<WalkFile> files; // the root first, in walk order
    std::vector<WalkSite> sites;
    std::vector<WalkItem> items;
    std::vector<RootCycle> cycles;
    std::size_t blocks = 0;

    // True when each file of the walk includes the next one (the last may be a block): then each
    // name is set where it is set first along the path, and only the block's clashes are left.
    bool Path() const;
    const WalkFile* Block() const { return blocks == 1 ? &files.back() : nullptr; }
};

struct WalkRoot {
    std::string_view name;
    const textrules::LineList& lines;
    // The root's component, when every file the walk reaches is reached from the root's node too;
    // without it, whether a file leads back to the root is asked of its reach, when some include
    // line names the root at all (node).
    std::optional<std::uint32_t> component;
    const Node* node = nullptr;
    DocumentSites sites = DocumentSites::Listed;
    bool listSites = true;                  // false: only the files, blocks and cycles
    const IncludeLines* includes = nullptr; // the root's, when the sites are not listed
};

// Walks the root's lines as ExpandIncludes does, but takes an included file whole, as its summary,
// when its expansion cannot meet anything the walk has met or holds open: it neither leads back
// into the files being expanded nor reaches a file expanded or taken before.
Composition WalkClosure(ClosureStore& store, std::deque<std::string>& names, const WalkRoot& root);

} // namespace varko::compiler::closure
