#include "varko/maintree/editing/text_formats.h"

#include "varko/maintree/editing/editor_colours.h"

namespace varko::maintree {

namespace {

QTextCharFormat Coloured(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat format;
    format.setForeground(colour);
    if (bold)
        format.setFontWeight(QFont::Bold);
    format.setFontItalic(italic);
    return format;
}

} // namespace

TextFormats::TextFormats(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Text);
    const QColor link = palette.color(QPalette::Link);
    const auto set = [this](TextStyle style, const QTextCharFormat& format) {
        m_formats[static_cast<std::size_t>(style)] = format;
    };
    set(TextStyle::Section, Coloured(Tint(palette, 280), true));
    set(TextStyle::Property, Coloured(text, true));
    set(TextStyle::Number, Coloured(Tint(palette, 30)));
    set(TextStyle::String, Coloured(Tint(palette, 120)));
    set(TextStyle::Comment, Coloured(Blend(text, palette.color(QPalette::Base), 0.45), false, true));
    set(TextStyle::Include, Coloured(palette.color(QPalette::LinkVisited), true));
    set(TextStyle::FileName, Coloured(link));
    set(TextStyle::TechObject, Coloured(link, true));
}

} // namespace varko::maintree
