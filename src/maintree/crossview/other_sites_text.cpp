#include "varko/maintree/crossview/other_sites_text.h"

#include "varko/language/other_sites.h"

namespace varko::maintree {

// Files hold bytes and the editor shows each byte as the character of the same code.
QStringList OtherSites(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine) {
    QStringList places;
    for (const std::string& place : language::OtherSites(sites, name.toLatin1().toStdString(),
                                                         exceptFile.toLatin1().toStdString(), exceptLine))
        places << QString::fromLatin1(place);
    return places;
}

QString OtherSitesText(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine) {
    return QString::fromLatin1(language::OtherSitesText(sites, name.toLatin1().toStdString(),
                                                        exceptFile.toLatin1().toStdString(), exceptLine));
}

} // namespace varko::maintree
