#include "varko/lsp/text_document.h"

namespace varko::lsp {

TextDocument::TextDocument(std::string text, int version) : m_text(std::move(text)), m_version(version) {
    IndexLines();
}

void TextDocument::IndexLines() {
    m_lineStarts.assign(1, 0);
    m_lineEnds.clear();
    const std::size_t size = m_text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = m_text[i];
        if (c != '\r' && c != '\n')
            continue;
        m_lineEnds.push_back(i);
        if (c == '\r' && i + 1 < size && m_text[i + 1] == '\n')
            ++i;
        m_lineStarts.push_back(i + 1);
    }
    m_lineEnds.push_back(size);
}

std::string_view TextDocument::Line(std::size_t index) const {
    if (index >= m_lineStarts.size())
        return {};
    return std::string_view(m_text).substr(m_lineStarts[index], m_lineEnds[index] - m_lineStarts[index]);
}

std::size_t TextDocument::Offset(const Position& position, PositionEncoding encoding) const {
    if (position.line >= m_lineStarts.size())
        return m_text.size();
    const std::string_view line = Line(position.line);
    return m_lineStarts[position.line] + ByteOfColumn(line, position.character, encoding);
}

void TextDocument::Apply(const nlohmann::json& change, PositionEncoding encoding) {
    const std::string& text = change.at("text").get_ref<const std::string&>();
    const auto range = change.find("range");
    if (range == change.end() || range->is_null()) {
        m_text = text;
    } else {
        std::size_t start = Offset(PositionFromJson(range->at("start")), encoding);
        std::size_t end = Offset(PositionFromJson(range->at("end")), encoding);
        if (end < start)
            std::swap(start, end);
        m_text.replace(start, end - start, text);
    }
    IndexLines();
}

Position PositionFromJson(const nlohmann::json& position) {
    return {position.at("line").get<std::uint32_t>(), position.at("character").get<std::uint32_t>()};
}

nlohmann::json PositionJson(std::uint32_t line, std::uint32_t character) {
    return {{"line", line}, {"character", character}};
}

} // namespace varko::lsp
