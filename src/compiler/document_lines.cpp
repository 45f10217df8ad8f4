#include "document_lines.h"

#include <algorithm>

namespace varko::compiler::lines {

namespace {
constexpr std::string_view kInclude = "#include ";

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
} // namespace

std::optional<std::string> IncludedName(std::string_view line) {
    if (!line.starts_with(kInclude))
        return std::nullopt;
    textrules::LineList tokens;
    textrules::SplitTokens(tokens, line.substr(kInclude.size()), 1);
    if (tokens.empty() || tokens[0].empty())
        return std::nullopt;
    return tokens[0];
}

std::optional<PropertyLine> PropertyOf(std::string_view line) {
    if (line.empty() || line.starts_with("//") || line[0] == ' ' || line[0] == '\t' ||
        line.starts_with(kInclude))
        return std::nullopt;
    PropertyLine property = SplitPropertyLine(line);
    if (property.name.empty())
        return std::nullopt;
    return property;
}

std::string EffectiveValue(std::string_view value) {
    std::size_t comment = value.find("//");
    // A "//" inside a word is part of the value; only one that starts a word opens a comment.
    while (comment != std::string_view::npos && comment > 0 && !IsBlank(value[comment - 1]))
        comment = value.find("//", comment + 2);
    std::string_view kept = value.substr(0, comment);
    while (!kept.empty() && IsBlank(kept.back()))
        kept.remove_suffix(1);
    while (!kept.empty() && IsBlank(kept.front()))
        kept.remove_prefix(1);
    return std::string(kept);
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsTechTreeName(std::string_view name) {
    return textrules::FileExtension(name) == ".tt";
}

std::vector<TechTreeEntry> TechTreeEntries(const textrules::LineList& lines) {
    std::vector<TechTreeEntry> entries;
    textrules::LineList tokens;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("//"))
            continue;
        textrules::SplitTokens(tokens, lines[i]);
        const std::optional<std::int32_t> count =
            tokens.size() >= 2 ? textrules::ParseInt(tokens[1]) : std::nullopt;
        if (!count)
            continue;
        TechTreeEntry entry{static_cast<int>(i + 1), tokens[0], {}};
        const std::size_t wanted = *count > 0 ? static_cast<std::size_t>(*count) : 0;
        const auto end = tokens.begin() + static_cast<std::ptrdiff_t>(std::min(tokens.size(), 2 + wanted));
        entry.requirements.assign(tokens.begin() + 2, end);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace varko::compiler::lines
