#include "varko/cli/uri_text.h"

namespace varko::cli {

namespace {

bool IsKeptAsIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

std::string PercentEncodePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    uri.reserve(path.size());
    for (char c : path) {
        auto byte = static_cast<unsigned char>(c);
        if (IsKeptAsIs(byte)) {
            uri.push_back(c);
        } else {
            uri.push_back('%');
            uri.push_back(kHex[byte >> 4]);
            uri.push_back(kHex[byte & 0xF]);
        }
    }
    return uri;
}

std::string DirectoryFileUri(std::string_view absoluteDirectory) {
    std::string uri = "file://" + PercentEncodePath(absoluteDirectory);
    if (!uri.ends_with('/'))
        uri.push_back('/');
    return uri;
}

} // namespace varko::cli
