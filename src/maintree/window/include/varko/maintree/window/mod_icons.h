#pragma once

#include <QIcon>

namespace varko::maintree {

// The pictures of the navigation pages the Mod features add, drawn in code as the toolbar's are.
QIcon DrawModFilesIcon();
QIcon DrawPropertiesIcon();

} // namespace varko::maintree
