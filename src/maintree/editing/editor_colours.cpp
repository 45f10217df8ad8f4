#include "varko/maintree/editing/editor_colours.h"

namespace varko::maintree {

QColor Blend(const QColor& base, const QColor& over, double amount) {
    const auto mix = [amount](double from, double to) { return from + (to - from) * amount; };
    return QColor::fromRgbF(static_cast<float>(mix(base.redF(), over.redF())),
                            static_cast<float>(mix(base.greenF(), over.greenF())),
                            static_cast<float>(mix(base.blueF(), over.blueF())));
}

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128;
}

QColor Tint(const QPalette& palette, int hue) {
    return IsDarkPalette(palette) ? QColor::fromHsl(hue, 170, 170) : QColor::fromHsl(hue, 200, 80);
}

QColor ErrorColour(const QPalette& palette) {
    return IsDarkPalette(palette) ? QColor(255, 110, 110) : QColor(Qt::red);
}

// The active group's highlight, so the caret's line stays visible while another control has the
// focus (the editor's owner may paint the inactive selection like the base).
QColor CurrentLineColour(const QPalette& palette) {
    return Blend(palette.color(QPalette::Base), palette.color(QPalette::Active, QPalette::Highlight), 0.12);
}

} // namespace varko::maintree
