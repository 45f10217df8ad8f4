#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varko::textrules {

// Every path our programs hold in a std::string is UTF-8. std::filesystem takes a narrow string in
// the C library's code page on Windows, which mangles names outside ASCII: paths cross between the
// two through these functions only.
// Bytes that are not UTF-8 (a Latin-1 name in a file's text) are taken as they are.
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
#ifdef _WIN32
    try {
        return std::filesystem::path(
            std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
    } catch (const std::exception&) {
        return std::filesystem::path(std::string(utf8));
    }
#else
    return std::filesystem::path(std::string(utf8));
#endif
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// The same with '/' between the parts on every system, for what a report shows.
inline std::string GenericUtf8FromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.generic_u8string();
    return std::string(utf8.begin(), utf8.end());
}

} // namespace varko::textrules
