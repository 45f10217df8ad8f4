#pragma once

#include <QIcon>
#include <QList>

namespace varko::maintree {

// Indices in the toolbar's image list.
enum ToolImage {
    kImageNew = 0,
    kImageOpen = 1,
    kImageSave = 2,
    kImageRun = 3,
    kImageHierarchy = 4,
    kImageBrowser = 5,
    kImageStop = 6,
};

// The seven 16 by 16 toolbar pictures, drawn in code (also at double size for dense screens).
QList<QIcon> ToolImages();

} // namespace varko::maintree
