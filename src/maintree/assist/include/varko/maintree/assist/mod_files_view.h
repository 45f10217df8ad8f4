#pragma once

#include "varko/maintree/assist/mod_file_list.h"

#include <QString>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListView;
class QModelIndex;
class QSortFilterProxyModel;
class QStandardItemModel;

namespace varko::maintree {

// "Mod Files": the ODF and tech-tree files of the addon directories under a "Filter" field that
// keeps the names holding its text (case ignored). Return or a double-click opens a file; Return
// in the field opens the first file shown, Down moves into the list.
class ModFilesView : public QWidget {
    Q_OBJECT

public:
    explicit ModFilesView(QWidget* parent = nullptr);

    void setFiles(const std::vector<ModFile>& files);
    // Lists the directories again.
    void refresh(const std::vector<std::string>& addonDirectories);

    QLineEdit* filterEdit() const { return m_filter; }
    QListView* list() const { return m_list; }
    // The names shown, in order.
    QStringList shownNames() const;

signals:
    void openRequested(const QString& absolutePath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QModelIndex& index);

    QLineEdit* m_filter;
    QListView* m_list;
    QStandardItemModel* m_files;
    QSortFilterProxyModel* m_shown;
};

} // namespace varko::maintree
