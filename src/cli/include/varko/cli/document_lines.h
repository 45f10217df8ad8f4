#pragma once

#include "varko/textrules/text_rules.h"

#include <optional>
#include <string>
#include <string_view>

namespace varko::cli {

// Cuts a document's bytes into lines as the editor loads them: CR, LF and CR LF each end one line,
// and every other byte, NUL included, stays in its line.
textrules::LineList SplitDocumentLines(std::string_view bytes);

// The lines of a regular file; nullopt when it cannot be opened or read, or is not a regular file
// (pipes and devices are refused without waiting on them).
std::optional<textrules::LineList> ReadDocumentLines(const std::string& path);

} // namespace varko::cli
