#pragma once

#include "varko/lsp/positions.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varko::lsp {

struct Position {
    std::uint32_t line = 0;
    std::uint32_t character = 0;
};

// The text of an open document as the client sent it. Lines end at CR, LF or CR LF, as the
// checker cuts a file, so a line number means the same on both sides.
class TextDocument {
public:
    TextDocument() = default;
    TextDocument(std::string text, int version);

    const std::string& Text() const { return m_text; }
    int Version() const { return m_version; }
    std::size_t LineCount() const { return m_lineStarts.size(); }
    // Without its line end; empty past the last line.
    std::string_view Line(std::size_t index) const;

    // A position of the client as a byte offset in the text; a column past the end of its line
    // stands for the line's end, a line past the last for the end of the text.
    std::size_t Offset(const Position& position, PositionEncoding encoding) const;

    // One entry of a didChange's contentChanges: with a range, the range is replaced; without,
    // the whole text.
    void Apply(const nlohmann::json& change, PositionEncoding encoding);
    void SetVersion(int version) { m_version = version; }

private:
    void IndexLines();

    std::string m_text;
    int m_version = 0;
    std::vector<std::size_t> m_lineStarts{0};
    std::vector<std::size_t> m_lineEnds{0}; // where each line's text stops, before its line end
};

Position PositionFromJson(const nlohmann::json& position);
nlohmann::json PositionJson(std::uint32_t line, std::uint32_t character);

} // namespace varko::lsp
