#pragma once

#include <QString>

namespace varko::maintree {

// How the editor reads a document's lines: object definitions or a tech tree.
enum class DocumentKind { Odf, TechTree };

// A file whose extension is exactly ".tt" is a tech tree, like the checker decides; everything
// else, an unnamed document too, is read as object definitions.
DocumentKind DocumentKindOfFile(const QString& fileName);

} // namespace varko::maintree
