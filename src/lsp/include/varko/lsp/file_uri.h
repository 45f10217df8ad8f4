#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varko::lsp {

// The path of a "file:" URI, percent-decoded; nullopt for other schemes or a host other than
// the local one.
std::optional<std::string> PathOfUri(std::string_view uri);
// A "file:" URI for an absolute path, its bytes percent-encoded where a URI needs it.
std::string UriOfPath(std::string_view path);

} // namespace varko::lsp
