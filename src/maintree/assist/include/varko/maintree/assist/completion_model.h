#pragma once

#include "varko/language/completion_context.h"

#include <QAbstractListModel>
#include <QString>

#include <memory>
#include <vector>

namespace varko::maintree {

// The offers that begin with a prefix (case ignored), taken from a list sorted once: the rows are
// found by binary search, so a long list costs nothing per keystroke. Each row's text is its
// display and edit text; its accessible description is what the candidate says about itself.
class CompletionModel : public QAbstractListModel {
    Q_OBJECT

public:
    struct Item {
        QString text;
        QString description;
        QString key; // the text case-folded, for ordering and prefix search
    };
    using Items = std::shared_ptr<const std::vector<Item>>;

    explicit CompletionModel(QObject* parent = nullptr);

    // Sorted ignoring case (a list that comes sorted is only checked); a sorted list can be shared
    // between models and reused.
    static Items Sort(const std::vector<language::CompletionCandidate>& candidates);

    void setItems(Items items);
    void setPrefix(const QString& prefix);
    const QString& prefix() const { return m_prefix; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void findRows();

    Items m_items;
    QString m_prefix;
    QString m_prefixKey;
    std::size_t m_first = 0;
    std::size_t m_end = 0;
};

} // namespace varko::maintree
