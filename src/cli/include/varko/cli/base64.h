#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varko::cli {

// Standard base64 with '=' padding.
std::string EncodeBase64(std::string_view bytes);
// Nullopt for anything but well-formed, padded standard base64.
std::optional<std::string> DecodeBase64(std::string_view text);

} // namespace varko::cli
