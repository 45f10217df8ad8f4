#pragma once

#include "varko/maintree/crossview/graph_picture.h"

#include <QAbstractItemModel>
#include <QColor>

#include <memory>

namespace varko::maintree {

// The tech tree as a list for keyboard and screen-reader users: one row per object, "name (line N)",
// ", in a circle" added for an object on a circle of requirements; its children are its
// requirements, written the same way. A model over the picture, so a tree of any size is shown
// without building items.
class TechTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role { LineRole = Qt::UserRole + 1, NodeRole };

    explicit TechTreeModel(QObject* parent = nullptr);

    void setPicture(std::shared_ptr<const GraphPicture> picture);
    // The text colour of the rows on a circle.
    void setCircleColour(const QColor& colour) { m_circleColour = colour; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The object a row stands for: a top row's own, a child's requirement.
    std::size_t nodeOf(const QModelIndex& index) const;

    std::shared_ptr<const GraphPicture> m_picture;
    QColor m_circleColour;
};

} // namespace varko::maintree
