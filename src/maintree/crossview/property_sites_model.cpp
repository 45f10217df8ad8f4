#include "varko/maintree/crossview/property_sites_model.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

namespace varko::maintree {

PropertySitesModel::PropertySitesModel(QObject* parent)
    : QAbstractTableModel(parent), m_table(std::make_shared<const PropertyTable>()),
      m_marker(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation)) {}

void PropertySitesModel::setTable(std::shared_ptr<const PropertyTable> table) {
    beginResetModel();
    m_table = table ? std::move(table) : std::make_shared<const PropertyTable>();
    endResetModel();
}

int PropertySitesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table->sites.size());
}

int PropertySitesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PropertySitesModel::display(const compiler::PropertySite& site, int column) const {
    // Files hold bytes and the editor shows each byte as the character of the same code.
    switch (column) {
    case NameColumn:
        return QString::fromLatin1(site.name);
    case ValueColumn:
        return QString::fromLatin1(site.value);
    case FileColumn:
        return QString::fromLatin1(site.file);
    case LineColumn:
        return site.line;
    default:
        return {};
    }
}

QVariant PropertySitesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const int places = m_table->places[row];
    switch (role) {
    case Qt::DisplayRole:
        return display(m_table->sites[row], index.column());
    case Qt::FontRole:
        if (places > 1) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::DecorationRole:
        return places > 1 && index.column() == NameColumn ? QVariant(m_marker) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return places > 1 ? QVariant(QStringLiteral("set in %1 places").arg(places)) : QVariant();
    default:
        return {};
    }
}

QVariant PropertySitesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kCaptions[ColumnCount] = {"Name", "Value", "File", "Line"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(kCaptions[section]);
}

} // namespace varko::maintree
