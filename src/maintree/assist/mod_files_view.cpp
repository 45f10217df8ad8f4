#include "varko/maintree/assist/mod_files_view.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace varko::maintree {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

ModFilesView::ModFilesView(QWidget* parent)
    : QWidget(parent), m_filter(new QLineEdit(this)), m_list(new QListView(this)),
      m_files(new QStandardItemModel(this)), m_shown(new QSortFilterProxyModel(this)) {
    m_filter->setObjectName(QStringLiteral("modFilesFilter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("modFiles"));
    m_list->setAccessibleName(QStringLiteral("Mod Files"));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_shown->setSourceModel(m_files);
    m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_list->setModel(m_shown);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_filter);
    column->addWidget(m_list);
    setFocusProxy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, m_shown, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_list, &QListView::doubleClicked, this, &ModFilesView::open);
    m_filter->installEventFilter(this);
    m_list->installEventFilter(this);
}

void ModFilesView::setFiles(const std::vector<ModFile>& files) {
    m_files->clear();
    for (const ModFile& file : files) {
        auto* item = new QStandardItem(QFile::decodeName(QByteArray::fromStdString(file.name)));
        item->setData(QFile::decodeName(QByteArray::fromStdString(file.path)), kPathRole);
        m_files->appendRow(item);
    }
}

void ModFilesView::refresh(const std::vector<std::string>& addonDirectories) {
    setFiles(ListModFiles(addonDirectories));
}

QStringList ModFilesView::shownNames() const {
    QStringList names;
    for (int row = 0; row < m_shown->rowCount(); ++row)
        names << m_shown->index(row, 0).data().toString();
    return names;
}

void ModFilesView::open(const QModelIndex& index) {
    if (index.isValid())
        emit openRequested(index.data(kPathRole).toString());
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
