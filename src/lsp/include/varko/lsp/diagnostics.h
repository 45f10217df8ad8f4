#pragma once

#include "varko/compiler/finding.h"
#include "varko/lsp/positions.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::lsp {

// The bytes of its line a finding marks: the token at its column, or the whole line when it has
// no column of its own (column 1), as the editor's fault marks do.
struct ByteSpan {
    std::size_t start = 0;
    std::size_t end = 0;
};
ByteSpan FindingSpan(std::string_view line, int column);

// What a diagnostic needs to know about the world outside its document.
struct DiagnosticContext {
    std::string documentUri;
    PositionEncoding encoding = PositionEncoding::Utf16;
    std::function<std::string_view(std::size_t index)> line; // the document's lines, 0-based
    // The URI of the addon file of that name, for the related places of X3 and X4.
    std::function<std::optional<std::string>(std::string_view name)> uriOfFile;
};

// A finding as an LSP diagnostic: source "varko", its code, a severity from the code, the message
// text exactly as varko-check's text format gives it, and for the checks across files the other
// places it is about.
nlohmann::json DiagnosticOf(const compiler::Finding& finding, const DiagnosticContext& context);
nlohmann::json DiagnosticsOf(const std::vector<compiler::Finding>& findings,
                             const DiagnosticContext& context);

// A range over the whole of a line.
nlohmann::json LineRange(int line);

} // namespace varko::lsp
