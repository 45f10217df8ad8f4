#pragma once

#include "varko/maintree/editing/line_scanner.h"

#include <QPalette>
#include <QTextCharFormat>

#include <array>

namespace varko::maintree {

// The character format of each text style, made from a palette.
class TextFormats {
public:
    TextFormats() : TextFormats(QPalette()) {}
    explicit TextFormats(const QPalette& palette);

    const QTextCharFormat& of(TextStyle style) const { return m_formats[static_cast<std::size_t>(style)]; }

private:
    std::array<QTextCharFormat, 8> m_formats;
};

} // namespace varko::maintree
