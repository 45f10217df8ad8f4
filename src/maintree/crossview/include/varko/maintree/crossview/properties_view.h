#pragma once

#include "varko/compiler/include_chain.h"
#include "varko/compiler/odf_source.h"
#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"
#include "varko/textrules/text_rules.h"

#include <QString>
#include <QStringList>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

namespace varko::maintree {

class PropertySitesModel;
struct PropertyTable;

// The "Properties" view of the navigation panel: every property the current ODF document and the
// files it includes set, in include order, with name, value, file and line. Include chains read
// files, so the rows are built on a worker from copies; only the latest request is ever shown.
// Double-click or Return on a row emits openLocation.
class PropertiesView : public QTreeView {
    Q_OBJECT

public:
    explicit PropertiesView(QWidget* parent = nullptr);
    ~PropertiesView() override;

    // Builds the rows of the document, named by its path or file name. The source gives the
    // lines of included files and is called on the worker only.
    void showDocument(const QString& documentPath, textrules::LineList lines, compiler::OdfSource source);
    // The same from an editor document's raw text (QTextDocument::toRawText), cut on the worker.
    void showDocument(const QString& documentPath, const QString& rawText, compiler::OdfSource source);
    // The same with included files looked up in these directories, the first that holds a name
    // winning (case ignored); the directories are listed on the worker.
    void showDocument(const QString& documentPath, textrules::LineList lines, const QStringList& directories);
    // Shows nothing (for a tech tree or no document) and drops any build under way.
    void clear();

    // What is shown now.
    const std::vector<compiler::PropertySite>& sites() const;
    const PropertySitesModel& sitesModel() const { return *m_model; }
    // For the editor's hover over the property `name` on a line of a file: the other places shown
    // now that set it, as "base.odf line 4", in include order.
    QStringList otherPlaces(const QString& name, const QString& file, int line) const;

signals:
    // The document's own lines come with the document path as showDocument was given it, included
    // files with the name their include line gives them.
    void openLocation(const QString& file, int line);
    // The rows of the latest request are on screen.
    void sitesShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    using LinesMaker = std::function<textrules::LineList()>;
    using SourceMaker = std::function<compiler::OdfSource()>;
    void build(const QString& documentPath, LinesMaker lines, SourceMaker source);
    void open(const QModelIndex& index);
    void showTable();

    using Table = std::shared_ptr<const PropertyTable>;
    PropertySitesModel* m_model;
    maintree::Worker<maintree::LatestResult<Table>>* m_runner;
    QString m_documentPath; // of the rows shown
    QString m_buildingPath; // of the latest build
};

} // namespace varko::maintree
