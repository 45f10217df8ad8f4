#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// The candidates nearest to a name, for a "did you mean" hint. Case is ignored; a candidate is
// offered when it is at most max(2, name length / 3) edits (insert, delete, replace one byte) away.
// Nearest first, then by name ignoring case. The name itself, in any case, is never offered, and
// of candidates that differ only in case the first one stands for all.
std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t max = 5);

// The edit distance of two names ignoring case, or limit + 1 when it is larger than limit.
std::size_t BoundedEditDistance(std::string_view a, std::string_view b, std::size_t limit);

} // namespace varko::compiler
