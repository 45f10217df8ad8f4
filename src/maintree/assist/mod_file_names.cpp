#include "varko/maintree/assist/mod_file_names.h"

#include <QFile>

namespace varko::maintree {

void ModFileNames::setRows(ModFileRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ModFileNames::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.shown.size());
}

QVariant ModFileNames::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || !m_rows.files)
        return {};
    const ModFile& file = (*m_rows.files)[m_rows.shown[static_cast<std::size_t>(index.row())]];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QFile::decodeName(QByteArray::fromStdString(file.name));
    if (role == PathRole)
        return QFile::decodeName(QByteArray::fromStdString(file.path));
    return {};
}

} // namespace varko::maintree
