#include "varko/maintree/document/document_names.h"

#include "varko/textrules/text_rules.h"

namespace varko::maintree {

QString FileNamePart(const QString& name) {
    return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
}

QString Extension(const QString& name) {
    return QString::fromStdString(textrules::FileExtension(name.toStdString()));
}

bool IsUntitled(const QString& name) {
    return name == kUntitledOdf || name == kUntitledTt;
}

QString DocumentCaption(const QString& currentFile) {
    return FileNamePart(currentFile) + QStringLiteral(" - VARKO");
}

int SaveFilterFor(const QString& name) {
    const QString extension = Extension(name);
    if (extension == QLatin1String(".tt"))
        return kTtFilter;
    if (extension == QLatin1String(".odf"))
        return kOdfFilter;
    return 0;
}

QString WithDocumentExtension(const QString& chosen, const QString& savedName) {
    if (!Extension(chosen).isEmpty())
        return chosen;
    const QString extension = Extension(savedName);
    if (extension == QLatin1String(".odf") || extension == QLatin1String(".tt"))
        return chosen + extension;
    return chosen;
}

} // namespace varko::maintree
