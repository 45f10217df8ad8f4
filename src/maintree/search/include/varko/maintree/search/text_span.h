#pragma once

namespace varko::maintree {

// A stretch of the document's text in editor positions: each character of a line is one position
// and each line break is one more. A span that was not found starts at -1.
struct TextSpan {
    int start = -1;
    int length = 0;

    bool Found() const { return start >= 0; }
    int End() const { return start + length; }
    friend bool operator==(const TextSpan&, const TextSpan&) = default;
};

} // namespace varko::maintree
