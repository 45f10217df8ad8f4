#include "document_lines.h"

#include <algorithm>

namespace varko::compiler::lines {

namespace {
constexpr std::string_view kInclude = "#include ";

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

std::optional<PropertyLineView> PropertyOf(std::string_view line) {
    if (line.empty() || line.starts_with("//") || line[0] == ' ' || line[0] == '\t' ||
        line.starts_with(kInclude))
        return std::nullopt;
    const PropertyLineView property = SplitPropertyLineView(line);
    if (property.name.empty())
        return std::nullopt;
    return property;
}

textrules::LineList ValueTokens(std::string_view value) {
    textrules::LineList tokens = textrules::SplitTokens(value);
    // As the ODF checker reads it: a later token that starts with "//" begins a comment.
    auto comment = std::find_if(tokens.begin() + (tokens.empty() ? 0 : 1), tokens.end(),
                                [](const std::string& token) { return token.starts_with("//"); });
    tokens.erase(comment, tokens.end());
    return tokens;
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
