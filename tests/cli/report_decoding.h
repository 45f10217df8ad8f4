#pragma once

#include <string>
#include <utility>
#include <vector>

// Undoes the escaping of GitHub workflow commands: "%25" last, so an escaped '%' is not read twice.
inline std::string GithubDecode(std::string text) {
    const std::vector<std::pair<std::string, std::string>> escapes = {
        {"%0D", "\r"}, {"%0A", "\n"}, {"%3A", ":"}, {"%2C", ","}, {"%25", "%"}};
    for (const auto& [escaped, plain] : escapes) {
        for (std::size_t at = text.find(escaped); at != std::string::npos; at = text.find(escaped, at + 1))
            text.replace(at, escaped.size(), plain);
    }
    return text;
}

// The bytes of a percent-encoded URI.
inline std::string PercentDecode(const std::string& uri) {
    std::string bytes;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size()) {
            bytes.push_back(static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            bytes.push_back(uri[i]);
        }
    }
    return bytes;
}
