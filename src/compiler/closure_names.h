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

// For a composition along one path (Composition::Path): the clashes of the block at its end, on the
// root's line that leads to it, less the names a file of the path sets itself.
std::vector<Clash> PathClashes(const Composition& composition);

} // namespace varko::compiler::closure
