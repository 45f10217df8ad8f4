#include "varko/crossview/properties_view.h"

#include "varko/crossview/latest_job_runner.h"
#include "varko/crossview/property_sites_model.h"
#include "varko/crossview/raw_text_lines.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace varko::crossview {

PropertiesView::PropertiesView(QWidget* parent)
    : QTreeView(parent), m_model(new PropertySitesModel(this)), m_runner(new LatestJobRunner(this)) {
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
}

PropertiesView::~PropertiesView() = default;

void PropertiesView::update(const QString& documentName, const QString& rawText, compiler::OdfSource source) {
    const std::string name = documentName.toLatin1().toStdString();
    m_runner->post([this, documentName, name, rawText, source = std::move(source)] {
        auto table =
            std::make_shared<const PropertyTable>(BuildPropertyTable(name, RawTextLines(rawText), source));
        return [this, documentName, table] {
            m_documentName = documentName;
            m_model->setTable(table);
            emit sitesShown();
        };
    });
}

void PropertiesView::clear() {
    m_runner->cancel();
    m_documentName.clear();
    m_model->setTable(nullptr);
}

const std::vector<compiler::PropertySite>& PropertiesView::sites() const {
    return m_model->table().sites;
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
    emit openAt(site.depth == 0 ? m_documentName : QString::fromLatin1(site.file), site.line);
}

} // namespace varko::crossview
