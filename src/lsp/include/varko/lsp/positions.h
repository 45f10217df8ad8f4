#pragma once

#include "varko/cli/utf8_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varko::lsp {

// How a client counts the columns of a line: UTF-16 code units (the protocol's default) or bytes
// of UTF-8, negotiated at initialize.
enum class PositionEncoding { Utf16, Utf8 };

// The one conversion between the core's byte offsets in a line and a client's columns. A line's
// bytes that are not valid UTF-8 are Windows-1252 characters, counted as that character's UTF-16
// or UTF-8 length, as the text a client is sent holds them.
std::uint32_t ColumnOfByte(std::string_view line, std::size_t byte, PositionEncoding encoding);
// A column inside a character gives that character's first byte; past the end, the line's length.
std::size_t ByteOfColumn(std::string_view line, std::uint32_t column, PositionEncoding encoding);

using cli::Utf8SequenceAt;

} // namespace varko::lsp
