#pragma once

#include <string>
#include <string_view>

namespace varko::cli {

// Appends the UTF-8 text as a JSON string, quotes included: '"', '\' and control characters are
// escaped, everything else is kept. For reports written without building a document first.
void AppendJsonString(std::string& out, std::string_view utf8);

} // namespace varko::cli
