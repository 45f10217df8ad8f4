#pragma once

#include <string>
#include <string_view>

namespace varko::cli {

// A relative path as a relative URI reference: every byte but letters, digits, "-._~" and '/' is
// percent-encoded, so blanks, '%', ',', ':' (which would otherwise read as a scheme) and bytes
// that are not ASCII all make a valid URI.
std::string PercentEncodePath(std::string_view path);

// "file:///dir/" for an absolute directory, with the trailing slash a base URI needs.
std::string DirectoryFileUri(std::string_view absoluteDirectory);

} // namespace varko::cli
