#pragma once

// What the include closures keep of each file: the findings its own expansion gives, in a form a
// file that includes it can reuse without walking the expansion again.

#include "varko/compiler/odf_source.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler::closure {

// A property line. `file` is the name the include line that brought the file in wrote; null for the
// root of a summary, which whoever includes the root names.
struct Site {
    std::string_view name;
    std::string_view value;
    const std::string* file = nullptr;
    int line = 0;
};

// Two included files that set a property differently (X4); rootLine is the root's line that
// brings in the later one.
struct Clash {
    Site earlier;
    Site later;
    int rootLine = 0;
};

// The names of an include cycle after the root, shared between the files along a chain.
struct ChainLink {
    const std::string* name = nullptr;
    std::shared_ptr<const ChainLink> next;
};
using Chain = std::shared_ptr<const ChainLink>;

// The first cycle that the expansion of one of the root's lines runs into.
struct RootCycle {
    int rootLine = 0;
    Chain chain;
};

// One property name (case ignored) of an expansion: its first and last site that nothing above
// overrides, and the first clash among those sites.
struct NameEntry {
    Site first;
    Site last;
    std::optional<Clash> clash;
};

// The names of an expansion in the order they first appear (overridden sites included).
using NameTable = std::vector<NameEntry>;

// The include lines of a file: its 1-based line and the name it gives.
using IncludeLines = std::vector<std::pair<int, std::string>>;

IncludeLines IncludeLinesOf(const textrules::LineList& lines);

struct Node;

// A file's expansion as the root of its own walk.
struct Summary {
    std::vector<RootCycle> cycles;          // in walk order
    std::vector<Clash> clashes;             // in the order their names first appear; never the root's names
    const Node* onlyBlock = nullptr;        // the one included file, when the root includes no other one
    std::shared_ptr<const NameTable> table; // built when an includer needs it
};

// A file named by an include line, found by its name ignoring case.
struct Node {
    std::uint32_t id = 0;
    std::string name;  // as first named
    SharedLines lines; // null when the source cannot give the file
    IncludeLines includes;
    std::vector<const Node*> edges; // the files its include lines name, in line order
    std::uint32_t component = 0;    // strongly connected component; components finish sinks first
    Summary summary;
    std::shared_ptr<const std::vector<std::uint32_t>> reach; // sorted ids, itself included; lazily
};

} // namespace varko::compiler::closure
