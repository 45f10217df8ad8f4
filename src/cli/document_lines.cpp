#include "varko/cli/document_lines.h"

namespace varko::cli {

textrules::LineList SplitDocumentLines(std::string_view bytes) {
    textrules::LineList lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos) {
            lines.emplace_back(bytes.substr(pos));
            break;
        }
        lines.emplace_back(bytes.substr(pos, stop - pos));
        pos = stop + 1;
        if (bytes[stop] == '\r' && pos < bytes.size() && bytes[pos] == '\n')
            ++pos;
    }
    return lines;
}

std::optional<textrules::LineList> ReadDocumentLines(const std::string& path) {
    std::optional<std::string> bytes = textrules::ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return SplitDocumentLines(*bytes);
}

} // namespace varko::cli
