#include "varko/lsp/language_json.h"

#include "varko/lsp/disk_text.h"
#include "varko/lsp/file_uri.h"

namespace varko::lsp {

namespace {

using nlohmann::json;

constexpr int kCompletionProperty = 10;
constexpr int kCompletionFile = 17;
constexpr int kSymbolFile = 1;
constexpr int kSymbolProperty = 7;
constexpr int kSymbolString = 15;

int SymbolKind(language::OutlineKind kind) {
    switch (kind) {
    case language::OutlineKind::Document:
        return kSymbolFile;
    case language::OutlineKind::Property:
        return kSymbolProperty;
    case language::OutlineKind::Value:
        return kSymbolString;
    }
    return kSymbolString;
}

} // namespace

std::string_view LanguageJson::Line(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_lines.size() ? std::string_view(m_lines[index])
                                                                          : std::string_view();
}

language::Position LanguageJson::CorePosition(const Position& position) const {
    const int line = static_cast<int>(position.line);
    return {line, ByteOfColumn(Line(line), position.character, m_encoding)};
}

json LanguageJson::PositionOf(const language::Position& position) const {
    return PositionJson(static_cast<std::uint32_t>(std::max(position.line, 0)),
                        ColumnOfByte(Line(position.line), position.column, m_encoding));
}

json LanguageJson::RangeOf(const language::Range& range) const {
    return {{"start", PositionOf(range.start)}, {"end", PositionOf(range.end)}};
}

json LanguageJson::Completion(const std::vector<language::CompletionItem>& items) const {
    json list = json::array();
    for (const language::CompletionItem& item : items) {
        const bool file = item.detail == "ODF file" || item.detail == "SOD file";
        list.push_back(
            {{"label", DiskTextAsUtf8(item.label)},
             {"detail", DiskTextAsUtf8(item.detail)},
             {"kind", file ? kCompletionFile : kCompletionProperty},
             {"textEdit",
              {{"range", RangeOf(item.replaceRange)}, {"newText", DiskTextAsUtf8(item.insertText)}}}});
    }
    return {{"isIncomplete", false}, {"items", std::move(list)}};
}

json LanguageJson::Hover(const language::HoverInfo& hover) const {
    return {{"contents", {{"kind", "plaintext"}, {"value", DiskTextAsUtf8(hover.text)}}},
            {"range", RangeOf(hover.range)}};
}

json LanguageJson::CodeAction(const std::string& uri, const language::FixSuggestion& fix,
                              const json& diagnostic, bool preferred) const {
    json edit = {{"range", RangeOf(fix.range)}, {"newText", DiskTextAsUtf8(fix.replacement)}};
    return {{"title", DiskTextAsUtf8(fix.title)},
            {"kind", "quickfix"},
            {"diagnostics", json::array({diagnostic})},
            {"isPreferred", preferred},
            {"edit", {{"changes", {{uri, json::array({edit})}}}}}};
}

json LanguageJson::Symbol(const language::OutlineEntry& entry) const {
    json children = json::array();
    int lastLine = entry.line;
    for (const language::OutlineEntry& child : entry.children) {
        children.push_back(Symbol(child));
        lastLine = std::max(lastLine, child.line);
    }
    const bool document = entry.kind == language::OutlineKind::Document;
    const int endLine = document ? static_cast<int>(m_lines.size()) - 1 : lastLine;
    const language::Range range{{document ? 0 : entry.line, 0}, {std::max(endLine, 0), Line(endLine).size()}};
    json symbol = {{"name", entry.name.empty() ? std::string(" ") : DiskTextAsUtf8(entry.name)},
                   {"kind", SymbolKind(entry.kind)},
                   {"range", RangeOf(range)},
                   {"selectionRange", RangeOf(range)}};
    if (!children.empty())
        symbol["children"] = std::move(children);
    return symbol;
}

json LocationOf(const std::string& path, int line, std::string_view lineText, PositionEncoding encoding) {
    const auto at = static_cast<std::uint32_t>(std::max(line, 0));
    return {{"uri", UriOfPath(path)},
            {"range",
             {{"start", PositionJson(at, 0)},
              {"end", PositionJson(at, ColumnOfByte(lineText, lineText.size(), encoding))}}}};
}

} // namespace varko::lsp
