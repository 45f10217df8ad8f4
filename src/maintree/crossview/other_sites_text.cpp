#include "varko/crossview/other_sites_text.h"

#include "varko/textrules/text_rules.h"

#include <QStringList>

#include <string>
#include <string_view>

namespace varko::crossview {

namespace {

// Include lines name files without a directory; a document may be named by its path.
std::string_view FileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

QStringList OtherSites(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine) {
    // Files hold bytes and the editor shows each byte as the character of the same code.
    const std::string wanted = name.toLatin1().toStdString();
    const std::string exceptPath = exceptFile.toLatin1().toStdString();
    QStringList places;
    for (const compiler::PropertySite& site : sites) {
        if (!textrules::SameText(site.name, wanted))
            continue;
        if (site.line == exceptLine && textrules::SameText(FileNameOf(site.file), FileNameOf(exceptPath)))
            continue;
        places << QStringLiteral("%1 line %2").arg(QString::fromLatin1(site.file)).arg(site.line);
    }
    return places;
}

QString OtherSitesText(const std::vector<compiler::PropertySite>& sites, const QString& name,
                       const QString& exceptFile, int exceptLine) {
    const QStringList places = OtherSites(sites, name, exceptFile, exceptLine);
    if (places.isEmpty())
        return {};
    return QStringLiteral("Also set in: ") + places.join(QStringLiteral(", "));
}

} // namespace varko::crossview
