#include "varko/maintree/navigation/hierarchy_model.h"

namespace varko::maintree {

namespace {

// An index's internal id says what its parent is: the root has none, a property has the root,
// and a value has the property whose row is the id less kFirstValueParent.
constexpr quintptr kRootId = 0;
constexpr quintptr kPropertyId = 1;
constexpr quintptr kFirstValueParent = 2;

enum class Level { Root, Property, Value };

Level LevelOf(const QModelIndex& index) {
    if (index.internalId() == kRootId)
        return Level::Root;
    return index.internalId() == kPropertyId ? Level::Property : Level::Value;
}

int PropertyRowOfValue(const QModelIndex& index) {
    return static_cast<int>(index.internalId() - kFirstValueParent);
}

// The document's bytes are shown one character per byte, as the editor holds them.
QString LabelOf(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

HierarchyModel::HierarchyModel(QObject* parent) : QAbstractItemModel(parent) {}

std::shared_ptr<const language::ScriptOutline>
HierarchyModel::setOutline(std::shared_ptr<const language::ScriptOutline> outline) {
    if (!m_outline || !outline) {
        beginResetModel();
        std::swap(m_outline, outline);
        m_propertyRows = m_outline ? static_cast<int>(m_outline->properties.size()) : 0;
        endResetModel();
        return outline;
    }
    // The rows that both outlines have stay, so the view keeps what it knows of them (which
    // are expanded) instead of forgetting and relearning it for every row at every build.
    const QModelIndex root = index(0, 0);
    const int rows = static_cast<int>(outline->properties.size());
    if (rows < m_propertyRows) {
        beginRemoveRows(root, rows, m_propertyRows - 1);
        m_propertyRows = rows;
        endRemoveRows();
    }
    emit layoutAboutToBeChanged();
    std::swap(m_outline, outline);
    dropVanishedValues();
    emit layoutChanged();
    if (rows > m_propertyRows) {
        beginInsertRows(root, m_propertyRows, rows - 1);
        m_propertyRows = rows;
        endInsertRows();
    }
    if (m_outline->root != outline->root)
        emit dataChanged(root, root);
    return outline;
}

void HierarchyModel::dropVanishedValues() {
    QModelIndexList from;
    for (const QModelIndex& kept : persistentIndexList()) {
        if (LevelOf(kept) == Level::Value && kept.row() >= rowCount(parent(kept)))
            from << kept;
    }
    changePersistentIndexList(from, QModelIndexList(from.size()));
}

int HierarchyModel::propertyRows() const {
    return m_propertyRows;
}

int HierarchyModel::lineTag(const QModelIndex& index) const {
    if (!m_outline || !index.isValid() || index.model() != this || LevelOf(index) != Level::Property)
        return -1;
    return m_outline->properties[static_cast<std::size_t>(index.row())].line;
}

QModelIndex HierarchyModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, column, kRootId);
    if (LevelOf(parent) == Level::Root)
        return createIndex(row, column, kPropertyId);
    return createIndex(row, column, kFirstValueParent + static_cast<quintptr>(parent.row()));
}

QModelIndex HierarchyModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    switch (LevelOf(child)) {
    case Level::Root:
        return {};
    case Level::Property:
        return createIndex(0, 0, kRootId);
    case Level::Value:
        return createIndex(PropertyRowOfValue(child), 0, kPropertyId);
    }
    return {};
}

int HierarchyModel::rowCount(const QModelIndex& parent) const {
    if (!m_outline)
        return 0;
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    switch (LevelOf(parent)) {
    case Level::Root:
        return m_propertyRows;
    case Level::Property:
        return static_cast<int>(m_outline->properties[static_cast<std::size_t>(parent.row())].values.size());
    case Level::Value:
        return 0;
    }
    return 0;
}

int HierarchyModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool HierarchyModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant HierarchyModel::data(const QModelIndex& index, int role) const {
    if (!m_outline || !index.isValid())
        return {};
    if (role == LineTagRole)
        return lineTag(index);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    switch (LevelOf(index)) {
    case Level::Root:
        return QString::fromUtf8(m_outline->root.data(), static_cast<qsizetype>(m_outline->root.size()));
    case Level::Property:
        return LabelOf(m_outline->properties[static_cast<std::size_t>(index.row())].name);
    case Level::Value:
        return LabelOf(m_outline->properties[static_cast<std::size_t>(PropertyRowOfValue(index))]
                           .values[static_cast<std::size_t>(index.row())]);
    }
    return {};
}

Qt::ItemFlags HierarchyModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (LevelOf(index) == Level::Value)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

} // namespace varko::maintree
