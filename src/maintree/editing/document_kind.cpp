#include "varko/maintree/editing/document_kind.h"

#include "varko/textrules/text_rules.h"

#include <QFile>

namespace varko::maintree {

DocumentKind DocumentKindOfFile(const QString& fileName) {
    const std::string name = QFile::encodeName(fileName).toStdString();
    return textrules::FileExtension(name) == ".tt" ? DocumentKind::TechTree : DocumentKind::Odf;
}

} // namespace varko::maintree
