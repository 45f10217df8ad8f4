#pragma once

#include <compare>
#include <cstddef>
#include <string>

namespace varko::language {

// A place in a document: a 0-based line and a 0-based byte of that line. Front ends convert their
// own columns (UTF-16 units, editor characters) at their edge.
struct Position {
    int line = 0;
    std::size_t column = 0;
    auto operator<=>(const Position&) const = default;
};

// From start up to, not including, end.
struct Range {
    Position start;
    Position end;
    bool operator==(const Range&) const = default;
};

// A line of a file on disk: an absolute path and a 0-based line.
struct Location {
    std::string path;
    int line = 0;
    bool operator==(const Location&) const = default;
};

} // namespace varko::language
