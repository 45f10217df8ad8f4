#include "varko/lsp/positions.h"

#include "varko/lsp/disk_text.h"

namespace varko::lsp {

namespace {

unsigned char At(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// How many columns the character at `at` takes, and how many bytes of the line it is.
struct Character {
    std::size_t bytes = 1;
    std::uint32_t columns = 1;
};

std::uint32_t Utf8Length(char32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

Character CharacterAt(std::string_view line, std::size_t at, PositionEncoding encoding) {
    char32_t codePoint = 0;
    std::size_t length = Utf8SequenceAt(line, at, codePoint);
    if (length == 0) {
        length = 1;
        codePoint = Windows1252CodePoint(At(line, at));
    }
    if (encoding == PositionEncoding::Utf8)
        return {length, Utf8Length(codePoint)};
    return {length, codePoint >= 0x10000 ? 2u : 1u};
}

} // namespace

std::uint32_t ColumnOfByte(std::string_view line, std::size_t byte, PositionEncoding encoding) {
    std::uint32_t column = 0;
    std::size_t at = 0;
    while (at < line.size() && at < byte) {
        const Character character = CharacterAt(line, at, encoding);
        at += character.bytes;
        column += character.columns;
    }
    return column;
}

std::size_t ByteOfColumn(std::string_view line, std::uint32_t column, PositionEncoding encoding) {
    std::uint32_t counted = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        const Character character = CharacterAt(line, at, encoding);
        if (counted + character.columns > column)
            break;
        counted += character.columns;
        at += character.bytes;
    }
    return at;
}

} // namespace varko::lsp
