#pragma once

#include "varko/maintree/crossview/property_table.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <memory>

namespace varko::maintree {

// The rows of the Properties view: one per site, in include order, with the columns "Name",
// "Value", "File" and "Line". A name set in more than one place is bold, carries a marker and
// says "set in N places" to a screen reader and in its tool tip.
class PropertySitesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn, ValueColumn, FileColumn, LineColumn, ColumnCount };

    explicit PropertySitesModel(QObject* parent = nullptr);

    void setTable(std::shared_ptr<const PropertyTable> table);
    const PropertyTable& table() const { return *m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant display(const compiler::PropertySite& site, int column) const;

    std::shared_ptr<const PropertyTable> m_table;
    QIcon m_marker;
};

} // namespace varko::maintree
