#include "profile_format.h"

#include "varko/textrules/text_rules.h"

namespace varko::textrules {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewLine = "\r\n";

std::string_view Trim(std::string_view text) {
    std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// An entry is one line: a line break inside a value would end the entry there and turn the rest
// into lines of their own, perhaps a section header or a key nobody asked for.
std::string OneLine(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return line;
}

} // namespace

ProfileText::ProfileText(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t stop = bytes.find_first_of(kNewLine, pos);
        if (stop == std::string_view::npos) {
            m_lines.push_back({std::string(bytes.substr(pos)), {}});
            break;
        }
        std::size_t next = stop + 1;
        if (bytes[stop] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        m_lines.push_back(
            {std::string(bytes.substr(pos, stop - pos)), std::string(bytes.substr(stop, next - stop))});
        pos = next;
    }
}

std::optional<std::string> ProfileText::SectionName(std::string_view text) {
    std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    std::string_view inner = trimmed.substr(1);
    std::size_t close = inner.find(']');
    return std::string(Trim(inner.substr(0, close)));
}

// Comment lines (";" first), blank lines and lines without "=" are not entries.
std::optional<ProfileText::Entry> ProfileText::ParseEntry(std::string_view text) {
    std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{std::string(Trim(trimmed.substr(0, eq))), std::string(Trim(trimmed.substr(eq + 1)))};
}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::optional<std::string> name = SectionName(m_lines[i].text);
        if (name && SameText(*name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t ProfileText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && !SectionName(m_lines[i].text))
        ++i;
    return i;
}

std::optional<std::string> ProfileText::Read(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> header = FindSection(section);
    if (!header)
        return std::nullopt;
    for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
        std::optional<Entry> entry = ParseEntry(m_lines[i].text);
        if (entry && SameText(entry->key, key))
            return std::string(Unquote(entry->value));
    }
    return std::nullopt;
}

std::vector<std::string> ProfileText::Sections() const {
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (std::optional<std::string> name = SectionName(line.text))
            names.push_back(*name);
    }
    return names;
}

std::vector<std::string> ProfileText::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    std::optional<std::size_t> header = FindSection(section);
    if (!header)
        return keys;
    for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
        if (std::optional<Entry> entry = ParseEntry(m_lines[i].text))
            keys.push_back(entry->key);
    }
    return keys;
}

void ProfileText::AppendLine(std::string text) {
    if (!m_lines.empty() && m_lines.back().ending.empty())
        m_lines.back().ending = kNewLine;
    m_lines.push_back({std::move(text), std::string(kNewLine)});
}

void ProfileText::Write(std::string_view section, std::string_view key, std::string_view text) {
    const std::string value = OneLine(text);
    std::string line = std::string(key) + "=" + value;
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (!m_lines.empty() && !Trim(m_lines.back().text).empty())
            AppendLine({});
        std::string header;
        header.append("[").append(section).append("]");
        AppendLine(std::move(header));
        AppendLine(std::move(line));
        return;
    }
    std::size_t insertAt = *header + 1;
    for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
        std::optional<Entry> entry = ParseEntry(m_lines[i].text);
        if (!entry)
            continue;
        if (SameText(entry->key, key)) {
            m_lines[i].text = entry->key + "=" + value;
            return;
        }
        insertAt = i + 1;
    }
    if (m_lines[insertAt - 1].ending.empty())
        m_lines[insertAt - 1].ending = kNewLine;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   Line{std::move(line), std::string(kNewLine)});
}

void ProfileText::ReplaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& entries) {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (entries.empty())
            return;
        // The first Write creates the section; every later one lands after it.
        for (const auto& [key, value] : entries)
            Write(section, key, value);
        return;
    }
    std::size_t bodyEnd = SectionEnd(*header);
    while (bodyEnd > *header + 1 && Trim(m_lines[bodyEnd - 1].text).empty())
        --bodyEnd;
    std::vector<Line> body;
    for (const auto& [key, value] : entries)
        body.push_back({key + "=" + OneLine(value), std::string(kNewLine)});
    if (m_lines[*header].ending.empty())
        m_lines[*header].ending = kNewLine;
    if (bodyEnd == m_lines.size() && bodyEnd > *header + 1 && m_lines[bodyEnd - 1].ending.empty() &&
        !body.empty())
        body.back().ending.clear(); // a file that ended without a line break still does
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*header + 1),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(bodyEnd));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*header + 1), body.begin(), body.end());
}

bool ProfileText::RemoveSection(std::string_view section) {
    std::optional<std::size_t> header = FindSection(section);
    if (!header)
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(*header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
    return true;
}

std::string ProfileText::Bytes() const {
    std::string bytes;
    for (const Line& line : m_lines)
        bytes += line.text + line.ending;
    return bytes;
}

std::vector<ProfileLine> ProfileText::Outline() const {
    std::vector<ProfileLine> outline;
    std::string section;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        ProfileLine line;
        line.number = static_cast<int>(i) + 1;
        const std::string_view trimmed = Trim(m_lines[i].text);
        if (std::optional<std::string> name = SectionName(m_lines[i].text)) {
            section = *name;
            line.kind = ProfileLine::Kind::Section;
        } else if (std::optional<Entry> entry = ParseEntry(m_lines[i].text)) {
            line.kind = ProfileLine::Kind::Entry;
            line.key = entry->key;
            line.value = std::string(Unquote(entry->value));
        } else if (!trimmed.empty() && trimmed.front() != ';') {
            line.kind = ProfileLine::Kind::Other;
        }
        line.section = section;
        outline.push_back(std::move(line));
    }
    return outline;
}

} // namespace varko::textrules
