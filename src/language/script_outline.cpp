#include "varko/language/script_outline.h"

#include "varko/compiler/property_line.h"

namespace varko::language {

namespace {

bool StartsIndented(std::string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool IsPassedOver(std::string_view line) {
    return line.empty() || StartsIndented(line) || line.starts_with("//");
}

// "hull // default skin" splits into hull, //, default, skin; the comment is glued back into one
// token: "hull" "// default skin".
std::string GlueTrailingComment(const std::string& value, const textrules::LineList& tokens) {
    const std::size_t from = textrules::Position(tokens[1], value);
    return '"' + tokens[0] + "\" \"" +
           textrules::Substring(value, static_cast<long long>(from), static_cast<long long>(value.size())) +
           '"';
}

} // namespace

std::string OutlineRootLabel(std::string_view currentFile) {
    if (currentFile.empty())
        return "Untitled ODF";
    const std::size_t slash = currentFile.rfind('/');
    return std::string(slash == std::string_view::npos ? currentFile : currentFile.substr(slash + 1));
}

ScriptOutline BuildScriptOutline(const textrules::LineList& lines, std::string_view currentFile) {
    ScriptOutline outline;
    outline.root = OutlineRootLabel(currentFile);
    textrules::LineList tokens;
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& line = lines[i];
        if (IsPassedOver(line))
            continue;
        compiler::PropertyLine parts = compiler::SplitPropertyLine(line);
        // A line without a name yields no node, so its value need not be read.
        if (parts.name.empty())
            continue;
        textrules::SplitTokens(tokens, parts.value);
        if (tokens.size() >= 2 && tokens[1].starts_with("//"))
            parts.value = GlueTrailingComment(parts.value, tokens);
        // Continuation lines are visited again later and passed over as indented.
        for (std::size_t j = i + 1; j < count && StartsIndented(lines[j]); ++j)
            parts.value += lines[j];
        textrules::SplitTokens(tokens, parts.value);
        outline.properties.push_back({std::move(parts.name), static_cast<int>(i), std::move(tokens)});
    }
    return outline;
}

OutlineEntry DocumentOutline(const textrules::LineList& lines, std::string_view currentFile) {
    ScriptOutline outline = BuildScriptOutline(lines, currentFile);
    OutlineEntry document{std::move(outline.root), OutlineKind::Document, 0, {}};
    document.children.reserve(outline.properties.size());
    for (OutlineProperty& property : outline.properties) {
        OutlineEntry entry{std::move(property.name), OutlineKind::Property, property.line, {}};
        for (std::string& value : property.values)
            entry.children.push_back({std::move(value), OutlineKind::Value, property.line, {}});
        document.children.push_back(std::move(entry));
    }
    return document;
}

} // namespace varko::language
