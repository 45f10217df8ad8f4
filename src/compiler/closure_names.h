#pragma once

#include "closure_walk.h"

namespace varko::compiler::closure {

struct NamesAndClashes {
    NameTable table;
    std::vector<Clash> clashes; // in the order their names first appear
};

// The names of a composition, its own sites and its blocks' tables together. A site (or a block's
// entry) is overridden when a file above it in the walk sets the name too; of the rest, the first
// two neighbours from different files whose values differ are the name's clash.
NamesAndClashes ComposeNames(ClosureStore& store, const Composition& composition);

// For a composition whose root takes one file whole (Composition::OneBlock): that file's clashes,
// on the root's line that takes it, less the names the root sets itself.
std::vector<Clash> OneBlockClashes(const Composition& composition, const textrules::LineList& rootLines);

} // namespace varko::compiler::closure
