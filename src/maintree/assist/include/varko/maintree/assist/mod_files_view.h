#pragma once

#include "varko/maintree/assist/mod_file_list.h"
#include "varko/maintree/assist/mod_file_names.h"
#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QListView;
class QModelIndex;

namespace varko::maintree {

// "Mod Files": the ODF and tech-tree files of the addon directories under a "Filter" field that
// keeps the names holding its text (case ignored). Return or a double-click opens a file; Return
// in the field opens the first file shown, Down moves into the list. Listing and filtering run on
// a worker; the rows shown are those of the latest listing and filter.
class ModFilesView : public QWidget {
    Q_OBJECT

public:
    explicit ModFilesView(QWidget* parent = nullptr);

    void setFiles(std::vector<ModFile> files);
    // Lists the directories again.
    void refresh(const std::vector<std::string>& addonDirectories);
    // While a listing or a filter is under way.
    bool busy() const { return m_worker.running(); }

    QLineEdit* filterEdit() const { return m_filter; }
    QListView* list() const { return m_list; }
    // The names shown, in order.
    QStringList shownNames() const;

signals:
    void openRequested(const QString& absolutePath);
    // The rows of the latest listing and filter are in the list.
    void rowsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Rows = maintree::LatestResult<ModFileRows>;
    using Files = std::shared_ptr<const std::vector<ModFile>>;
    // The files come from `list` on the worker, or are the ones shown when it is empty.
    void start(std::function<Files()> list);
    void showRows();
    void open(const QModelIndex& index);

    QLineEdit* m_filter;
    QListView* m_list;
    ModFileNames* m_shown;
    // The listing under way, until its rows are shown.
    std::function<Files()> m_listing;
    maintree::Worker<Rows> m_worker;
};

} // namespace varko::maintree
