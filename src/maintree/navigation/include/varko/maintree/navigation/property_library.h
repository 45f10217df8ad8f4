#pragma once

#include "varko/textrules/text_rules.h"

#include <string>
#include <vector>

namespace varko::maintree {

// One section of the property library: "Friendly (section)" and its property names.
struct ObjectKind {
    std::string label;
    textrules::LineList properties;
};

struct PropertyLibrary {
    // False when there is no file of that name; the kinds are then empty.
    bool found = false;
    std::vector<ObjectKind> kinds;
};

// Reads the property library at the path. Each section's first key is taken to be its
// "friendly" entry and is left out of the property names, whatever its name.
PropertyLibrary ReadPropertyLibrary(const std::string& path);

} // namespace varko::maintree
