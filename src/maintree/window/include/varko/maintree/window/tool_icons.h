#pragma once

#include <QIcon>
#include <QList>

#include <functional>

class QPainter;

namespace varko::maintree {

// The toolbar's pictures, in the order DrawToolIcons gives them.
enum class ToolPicture { New, Open, Save, Run, Hierarchy, Browser, Stop };

// The seven 16 by 16 toolbar pictures, drawn in code (also at double size for dense screens).
QList<QIcon> DrawToolIcons();
QIcon DrawToolIcon(ToolPicture picture);
// A picture drawn on a 16 by 16 grid, at 16 and 32 pixels.
QIcon DrawIcon(const std::function<void(QPainter&)>& draw);

} // namespace varko::maintree
