#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varko::assist {

// The candidates closest to the name by edit distance, case ignored: at most the larger of 2 edits
// and a third of the name's length away, nearest first, ties in name order (case ignored); the
// name itself is never among them.
std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t max = 5);

} // namespace varko::assist
