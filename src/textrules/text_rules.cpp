#include "varko/textrules/text_rules.h"
#include "varko/textrules/case_insensitive.h"

#include <cstring>

namespace varko::textrules {

namespace {
char FoldChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first `c` from `from` on, or `to`.
const char* Find(const char* from, const char* to, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
    return found ? static_cast<const char*>(found) : to;
}
} // namespace

bool SameText(std::string_view a, std::string_view b) {
    return detail::EqualFolded(a, b);
}

bool CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    return SameText(a, b);
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = FoldChar(c);
    return folded;
}

LineList SplitLines(std::string_view text) {
    LineList lines;
    text = text.substr(0, text.find('\0'));
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        std::size_t stop = pos;
        while (stop < size && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        lines.emplace_back(text.substr(pos, stop - pos));
        if (stop == size)
            break;
        pos = stop;
        if (text[pos] == '\r')
            ++pos;
        if (pos < size && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

LineList SplitDocumentLines(std::string_view bytes) {
    LineList lines;
    SplitDocumentLines(lines, bytes);
    return lines;
}

// The strings already in the list keep their storage, so a caller that splits many documents
// into one list allocates only for lines longer than any before.
void SplitDocumentLines(LineList& lines, std::string_view bytes) {
    std::size_t count = 0;
    auto add = [&](std::string_view line) {
        if (count < lines.size())
            lines[count].assign(line);
        else
            lines.emplace_back(line);
        ++count;
    };
    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    // The next LF is kept from line to line, so a text broken by CR alone is not searched to its
    // end at every line.
    const char* lf = nullptr;
    while (pos < end) {
        if (lf == nullptr || lf < pos)
            lf = Find(pos, end, '\n');
        const char* stop = Find(pos, lf, '\r');
        add(std::string_view(pos, static_cast<std::size_t>(stop - pos)));
        if (stop == end)
            break;
        pos = stop + 1;
        if (*stop == '\r' && pos < end && *pos == '\n')
            ++pos;
    }
    lines.resize(count);
}

bool LoadLines(LineList& list, const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return false;
    list = SplitLines(*bytes);
    return true;
}

int IndexOfText(const LineList& list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameText(list[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

std::string ValueOf(const LineList& list, std::string_view name) {
    for (const std::string& entry : list) {
        std::size_t eq = entry.find('=');
        if (eq == std::string::npos)
            continue;
        if (SameText(std::string_view(entry).substr(0, eq), name))
            return entry.substr(eq + 1);
    }
    return {};
}

std::string FileExtension(std::string_view name) {
    std::size_t last = name.find_last_of(".\\/:");
    if (last == std::string_view::npos || name[last] != '.')
        return {};
    return std::string(name.substr(last));
}

std::string Substring(std::string_view text, long long start, long long count) {
    if (start < 1)
        start = 1;
    if (count <= 0 || start > static_cast<long long>(text.size()))
        return {};
    return std::string(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::size_t Position(std::string_view find, std::string_view text) {
    if (find.empty() || text.empty())
        return 0;
    std::size_t at = text.find(find);
    return at == std::string_view::npos ? 0 : at + 1;
}

} // namespace varko::textrules
