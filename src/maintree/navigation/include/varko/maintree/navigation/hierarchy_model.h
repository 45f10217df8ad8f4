#pragma once

#include "varko/language/script_outline.h"

#include <QAbstractItemModel>

#include <memory>

namespace varko::maintree {

// The hierarchy tree's content: a read-only view of the last built outline. Three levels: the document's
// root, one node per property line, one node per value token. Before the first build the model
// holds no node at all.
class HierarchyModel : public QAbstractItemModel {
    Q_OBJECT

public:
    // The editor line a node stands for, or -1.
    static constexpr int LineTagRole = Qt::UserRole + 1;

    explicit HierarchyModel(QObject* parent = nullptr);

    // Shows another outline. Rows at the same place in both stay the same rows for the view; rows
    // past the new end are removed and new rows are appended. The old outline is handed back so
    // the caller decides where it is freed.
    std::shared_ptr<const language::ScriptOutline>
    setOutline(std::shared_ptr<const language::ScriptOutline> outline);
    const language::ScriptOutline* outline() const { return m_outline.get(); }
    // Property nodes under the root.
    int propertyRows() const;

    int lineTag(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void dropVanishedValues();

    std::shared_ptr<const language::ScriptOutline> m_outline;
    int m_propertyRows = 0;
};

} // namespace varko::maintree
