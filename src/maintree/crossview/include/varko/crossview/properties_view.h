#pragma once

#include "varko/compiler/include_chain.h"
#include "varko/compiler/odf_source.h"

#include <QString>
#include <QTreeView>

#include <vector>

namespace varko::crossview {

class LatestJobRunner;
class PropertySitesModel;

// The "Properties" view of the navigation panel: every property the current ODF document and the
// files it includes set, in include order, with name, value, file and line. Include chains read
// files, so the rows are built on a worker from copies; only the latest update is ever shown.
// Double-click or Return on a row emits openAt.
class PropertiesView : public QTreeView {
    Q_OBJECT

public:
    explicit PropertiesView(QWidget* parent = nullptr);
    ~PropertiesView() override;

    using QTreeView::update;
    // Builds the rows of the document (named by its path or file name) from a copy of its raw text
    // (QTextDocument::toRawText); the source gives included files' lines and is called on the worker.
    void update(const QString& documentName, const QString& rawText, compiler::OdfSource source);
    // Shows nothing (for a tech tree or no document) and drops any build under way.
    void clear();

    // What is shown now, for OtherSitesText.
    const std::vector<compiler::PropertySite>& sites() const;
    const PropertySitesModel& sitesModel() const { return *m_model; }

signals:
    // The document's own lines come with the document name as update was given it, included files
    // with the name their include line gives them.
    void openAt(const QString& file, int line);
    // The rows of the latest update are on screen.
    void sitesShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(const QModelIndex& index);

    PropertySitesModel* m_model;
    LatestJobRunner* m_runner;
    QString m_documentName; // of the rows shown
};

} // namespace varko::crossview
