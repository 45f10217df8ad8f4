#include "varko/textrules/text_rules.h"
#include "varko/textrules/case_insensitive.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varko::textrules {

namespace {
char FoldChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldChar(a[i]) != FoldChar(b[i]))
            return false;
    }
    return true;
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

namespace {

std::optional<std::string> ReadToEnd(int fd, std::size_t expected) {
    std::string bytes;
    bytes.reserve(expected);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return bytes;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

// Opened without blocking, so a pipe without a writer cannot stall the caller; the type is checked
// on the open descriptor, so pipes and devices (which may never end) are refused.
std::optional<std::string> ReadFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        bytes = ReadToEnd(fd, static_cast<std::size_t>(info.st_size));
    ::close(fd);
    return bytes;
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
