#pragma once

#include <QColor>
#include <QPalette>

namespace varko::maintree {

// The editor's colours, all drawn from the palette, so a dark theme gets readable ones.

// `amount` of `over` laid on `base` (0 gives base, 1 gives over).
QColor Blend(const QColor& base, const QColor& over, double amount);
bool IsDarkPalette(const QPalette& palette);
// A colour of the given hue that stands out from the palette's base.
QColor Tint(const QPalette& palette, int hue);
QColor ErrorColour(const QPalette& palette);
QColor CurrentLineColour(const QPalette& palette);

} // namespace varko::maintree
