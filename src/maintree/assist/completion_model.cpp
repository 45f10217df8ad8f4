#include "varko/maintree/assist/completion_model.h"

#include <algorithm>

namespace varko::maintree {

CompletionModel::CompletionModel(QObject* parent) : QAbstractListModel(parent) {}

CompletionModel::Items CompletionModel::Sort(const std::vector<language::CompletionCandidate>& candidates) {
    auto items = std::make_shared<std::vector<Item>>();
    items->reserve(candidates.size());
    for (const language::CompletionCandidate& candidate : candidates) {
        QString text = QString::fromLatin1(candidate.text);
        QString key = text.toCaseFolded();
        items->push_back({std::move(text), QString::fromLatin1(candidate.description), std::move(key)});
    }
    const auto byKey = [](const Item& a, const Item& b) { return a.key < b.key; };
    if (!std::is_sorted(items->begin(), items->end(), byKey))
        std::stable_sort(items->begin(), items->end(), byKey);
    return items;
}

void CompletionModel::setItems(Items items) {
    beginResetModel();
    m_items = std::move(items);
    findRows();
    endResetModel();
}

void CompletionModel::setPrefix(const QString& prefix) {
    beginResetModel();
    m_prefix = prefix;
    m_prefixKey = prefix.toCaseFolded();
    findRows();
    endResetModel();
}

// In a list sorted ignoring case, the texts that begin with the prefix stand together.
void CompletionModel::findRows() {
    m_first = m_end = 0;
    if (!m_items)
        return;
    const QStringView prefix(m_prefixKey);
    auto headOf = [&](const Item& item) { return QStringView(item.key).left(prefix.size()); };
    const auto first = std::partition_point(m_items->begin(), m_items->end(),
                                            [&](const Item& item) { return headOf(item) < prefix; });
    const auto end =
        std::partition_point(first, m_items->end(), [&](const Item& item) { return headOf(item) == prefix; });
    m_first = static_cast<std::size_t>(first - m_items->begin());
    m_end = static_cast<std::size_t>(end - m_items->begin());
}

int CompletionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_end - m_first);
}

QVariant CompletionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Item& item = (*m_items)[m_first + static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return item.text;
    case Qt::AccessibleDescriptionRole:
    case Qt::ToolTipRole:
        return item.description;
    default:
        return {};
    }
}

} // namespace varko::maintree
