#pragma once

#include "varko/language/document_features.h"
#include "varko/language/references.h"
#include "varko/language/script_outline.h"
#include "varko/lsp/positions.h"
#include "varko/lsp/text_document.h"
#include "varko/textrules/text_rules.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace varko::lsp {

// The language core's values as LSP JSON and back: positions in bytes become the client's columns
// of the line they stand on, and the core's bytes become UTF-8.
class LanguageJson {
public:
    LanguageJson(const textrules::LineList& lines, PositionEncoding encoding)
        : m_lines(lines), m_encoding(encoding) {}

    language::Position CorePosition(const Position& position) const;
    nlohmann::json PositionOf(const language::Position& position) const;
    nlohmann::json RangeOf(const language::Range& range) const;

    nlohmann::json Completion(const std::vector<language::CompletionItem>& items) const;
    nlohmann::json Hover(const language::HoverInfo& hover) const;
    nlohmann::json CodeAction(const std::string& uri, const language::FixSuggestion& fix,
                              const nlohmann::json& diagnostic, bool preferred) const;
    nlohmann::json Symbol(const language::OutlineEntry& entry) const;

private:
    std::string_view Line(int index) const;

    const textrules::LineList& m_lines;
    PositionEncoding m_encoding;
};

// A place in a file on disk: its whole line, or its first line's start for a line of -1.
nlohmann::json LocationOf(const std::string& path, int line, std::string_view lineText,
                          PositionEncoding encoding);

} // namespace varko::lsp
