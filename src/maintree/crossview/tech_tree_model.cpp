#include "varko/maintree/crossview/tech_tree_model.h"

namespace varko::maintree {

namespace {

// The internal id of a top row is 0; a child's is its parent's row plus one.
constexpr quintptr kTopRow = 0;

} // namespace

TechTreeModel::TechTreeModel(QObject* parent)
    : QAbstractItemModel(parent), m_picture(std::make_shared<const GraphPicture>()) {}

void TechTreeModel::setPicture(std::shared_ptr<const GraphPicture> picture) {
    beginResetModel();
    m_picture = picture ? std::move(picture) : std::make_shared<const GraphPicture>();
    endResetModel();
}

QModelIndex TechTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, parent.isValid() ? static_cast<quintptr>(parent.row()) + 1 : kTopRow);
}

QModelIndex TechTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopRow)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kTopRow);
}

int TechTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(m_picture->graph.nodes.size());
    if (parent.internalId() != kTopRow || parent.column() != 0)
        return 0;
    return static_cast<int>(m_picture->requirements[static_cast<std::size_t>(parent.row())].size());
}

int TechTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

std::size_t TechTreeModel::nodeOf(const QModelIndex& index) const {
    if (index.internalId() == kTopRow)
        return static_cast<std::size_t>(index.row());
    const auto& edges = m_picture->requirements[static_cast<std::size_t>(index.internalId() - 1)];
    return m_picture->graph.edges[edges[static_cast<std::size_t>(index.row())]].requirement;
}

QVariant TechTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const std::size_t node = nodeOf(index);
    const compiler::TechTreeNode& entry = m_picture->graph.nodes[node];
    const bool onCircle = m_picture->nodeOnCircle[node] != 0;
    switch (role) {
    case Qt::DisplayRole: {
        // Files hold bytes and the editor shows each byte as the character of the same code.
        QString text = QStringLiteral("%1 (line %2)").arg(QString::fromLatin1(entry.object)).arg(entry.line);
        return onCircle ? text + QStringLiteral(", in a circle") : text;
    }
    case Qt::ForegroundRole:
        return onCircle && m_circleColour.isValid() ? QVariant(m_circleColour) : QVariant();
    case LineRole:
        return entry.line;
    case NodeRole:
        return static_cast<qulonglong>(node);
    default:
        return {};
    }
}

QVariant TechTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("Objects");
    return {};
}

} // namespace varko::maintree
