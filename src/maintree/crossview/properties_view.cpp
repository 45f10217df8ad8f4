#include "varko/maintree/crossview/properties_view.h"

#include "varko/maintree/crossview/other_sites_text.h"
#include "varko/maintree/crossview/property_sites_model.h"
#include "varko/maintree/crossview/raw_text_lines.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>

namespace varko::maintree {

PropertiesView::PropertiesView(QWidget* parent)
    : QTreeView(parent), m_model(new PropertySitesModel(this)),
      m_runner(new maintree::Worker<maintree::LatestResult<Table>>(this)) {
    setModel(m_model);
    setAccessibleName(QStringLiteral("Properties"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(PropertySitesModel::ValueColumn, QHeaderView::Stretch);
    connect(this, &QAbstractItemView::doubleClicked, this, &PropertiesView::open);
    connect(m_runner, &maintree::WorkerThread::finished, this, &PropertiesView::showTable);
}

PropertiesView::~PropertiesView() = default;

void PropertiesView::showDocument(const QString& documentPath, textrules::LineList lines,
                                  compiler::OdfSource source) {
    build(
        documentPath, [lines = std::move(lines)] { return lines; },
        [source = std::move(source)] { return source; });
}

void PropertiesView::showDocument(const QString& documentPath, const QString& rawText,
                                  compiler::OdfSource source) {
    build(
        documentPath, [rawText] { return RawTextLines(rawText); },
        [source = std::move(source)] { return source; });
}

void PropertiesView::showDocument(const QString& documentPath, textrules::LineList lines,
                                  const QStringList& directories) {
    std::vector<std::string> paths;
    for (const QString& directory : directories)
        paths.push_back(QFile::encodeName(directory).toStdString());
    build(
        documentPath, [lines = std::move(lines)] { return lines; },
        [paths = std::move(paths)] { return compiler::DirectoryOdfSource(paths); });
}

void PropertiesView::build(const QString& documentPath, LinesMaker lines, SourceMaker source) {
    // Files hold bytes and the editor shows each byte as the character of the same code.
    const std::string name = documentPath.toLatin1().toStdString();
    m_buildingPath = documentPath;
    m_runner->start([name, lines = std::move(lines), source = std::move(source)](
                        const std::atomic<bool>&, maintree::Outbox<maintree::LatestResult<Table>>& outbox) {
        outbox.post({std::make_shared<const PropertyTable>(BuildPropertyTable(name, lines(), source()))});
    });
}

void PropertiesView::showTable() {
    std::optional<Table> table = m_runner->take().value;
    if (!table)
        return;
    m_documentPath = m_buildingPath;
    m_model->setTable(*table);
    // The rows are laid out now, not at the next pass of the event loop, so a screen reader that
    // asks at once finds them.
    executeDelayedItemsLayout();
    emit sitesShown();
}

void PropertiesView::clear() {
    m_runner->cancel();
    m_documentPath.clear();
    m_model->setTable(nullptr);
}

const std::vector<compiler::PropertySite>& PropertiesView::sites() const {
    return m_model->table().sites;
}

QStringList PropertiesView::otherPlaces(const QString& name, const QString& file, int line) const {
    return OtherSites(sites(), name, file, line);
}

void PropertiesView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        open(currentIndex());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void PropertiesView::open(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= m_model->rowCount())
        return;
    const compiler::PropertySite& site = sites()[static_cast<std::size_t>(index.row())];
    emit openLocation(site.depth == 0 ? m_documentPath : QString::fromLatin1(site.file), site.line);
}

} // namespace varko::maintree
