#include "varko/maintree/assist/mod_files_view.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace varko::maintree {

namespace {

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

ModFilesView::ModFilesView(QWidget* parent)
    : QWidget(parent), m_filter(new QLineEdit(this)), m_list(new QListView(this)),
      m_shown(new ModFileNames(this)) {
    m_filter->setObjectName(QStringLiteral("modFilesFilter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("modFiles"));
    m_list->setAccessibleName(QStringLiteral("Mod Files"));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setModel(m_shown);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_filter);
    column->addWidget(m_list);
    setFocusProxy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, this, [this] { start({}); });
    connect(&m_worker, &maintree::WorkerThread::finished, this, &ModFilesView::showRows);
    connect(m_list, &QListView::doubleClicked, this, &ModFilesView::open);
    m_filter->installEventFilter(this);
    m_list->installEventFilter(this);
}

void ModFilesView::setFiles(std::vector<ModFile> files) {
    start([files = std::make_shared<const std::vector<ModFile>>(std::move(files))] { return files; });
}

void ModFilesView::refresh(const std::vector<std::string>& addonDirectories) {
    start([addonDirectories] {
        return std::make_shared<const std::vector<ModFile>>(ListModFiles(addonDirectories));
    });
}

// A filter typed while a listing runs filters the new listing, not the rows shown.
void ModFilesView::start(std::function<Files()> list) {
    if (list)
        m_listing = list;
    else if (m_listing)
        list = m_listing;
    else
        list = [files = m_shown->rows().files] { return files; };
    const std::string text = QFile::encodeName(m_filter->text()).toStdString();
    m_worker.start([list = std::move(list), text](const std::atomic<bool>&, maintree::Outbox<Rows>& outbox) {
        Files files = list();
        if (!files)
            files = std::make_shared<const std::vector<ModFile>>();
        std::vector<std::uint32_t> shown = FilterModFiles(*files, text);
        outbox.post({ModFileRows{std::move(files), std::move(shown)}});
    });
}

void ModFilesView::showRows() {
    std::optional<ModFileRows> rows = m_worker.take().value;
    if (!rows)
        return;
    m_listing = {};
    m_shown->setRows(std::move(*rows));
    emit rowsShown();
}

QStringList ModFilesView::shownNames() const {
    QStringList names;
    for (int row = 0; row < m_shown->rowCount(); ++row)
        names << m_shown->index(row, 0).data().toString();
    return names;
}

void ModFilesView::open(const QModelIndex& index) {
    if (index.isValid())
        emit openRequested(index.data(ModFileNames::PathRole).toString());
}

bool ModFilesView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<QKeyEvent&>(*event);
    if (watched == m_list && IsEnter(key)) {
        open(m_list->currentIndex());
        return true;
    }
    if (watched == m_filter && IsEnter(key)) {
        open(m_list->currentIndex().isValid() ? m_list->currentIndex() : m_shown->index(0, 0));
        return true;
    }
    if (watched == m_filter && key.key() == Qt::Key_Down && m_shown->rowCount() > 0) {
        m_list->setFocus();
        if (!m_list->currentIndex().isValid())
            m_list->setCurrentIndex(m_shown->index(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace varko::maintree
