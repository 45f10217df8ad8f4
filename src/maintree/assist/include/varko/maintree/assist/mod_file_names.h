#pragma once

#include "varko/maintree/assist/mod_file_list.h"

#include <QAbstractListModel>

#include <cstdint>
#include <memory>
#include <vector>

namespace varko::maintree {

// What the Mod Files list shows: the files listed and the positions of those the filter keeps.
// Both are made on a worker; the model turns a row into text only when a view asks for it, so
// showing 50,000 files creates nothing per file.
struct ModFileRows {
    std::shared_ptr<const std::vector<ModFile>> files;
    std::vector<std::uint32_t> shown;
};

class ModFileNames : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int PathRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // One reset, whatever the number of rows.
    void setRows(ModFileRows rows);
    const ModFileRows& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    ModFileRows m_rows;
};

} // namespace varko::maintree
