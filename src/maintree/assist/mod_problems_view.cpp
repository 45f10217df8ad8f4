#include "varko/maintree/assist/mod_problems_view.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardItemModel>

namespace varko::maintree {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;
constexpr std::size_t kChunk = 256;
constexpr qint64 kSliceMs = 10;

} // namespace

ModProblemsView::ModProblemsView(QWidget* parent) : QTreeView(parent), m_model(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("modProblems"));
    setAccessibleName(QStringLiteral("Mod Problems"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setModel(m_model);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &ModProblemsView::appendSlice);
    connect(this, &QTreeView::doubleClicked, this, &ModProblemsView::open);
}

void ModProblemsView::clear() {
    m_pending.clear();
    m_slices.stop();
    m_model->clear();
}

int ModProblemsView::fileCount() const {
    return m_model->rowCount();
}

QStandardItem* ModProblemsView::addFileNode(const QString& path, std::size_t count) {
    auto* file = new QStandardItem(QStringLiteral("%1 (%2)").arg(QFileInfo(path).fileName()).arg(count));
    file->setData(path, kPathRole);
    m_model->appendRow(file);
    return file;
}

void ModProblemsView::addFile(const QString& path, std::vector<compiler::Finding> findings) {
    QStandardItem* file = addFileNode(path, findings.size());
    m_pending.push_back({file, std::move(findings), {}, 0});
    m_slices.start();
}

void ModProblemsView::addEntries(const QString& path, std::vector<ProblemEntry> entries) {
    QStandardItem* file = addFileNode(path, entries.size());
    m_pending.push_back({file, {}, std::move(entries), 0});
    m_slices.start();
}

// Appends children until the slice is used up, then lets other events in.
void ModProblemsView::appendSlice() {
    QElapsedTimer slice;
    slice.start();
    while (!m_pending.empty() && slice.elapsed() < kSliceMs) {
        if (appendChunk(m_pending.front()))
            m_pending.pop_front();
    }
    if (!m_pending.empty())
        return;
    m_slices.stop();
    emit appended();
}

// True when the file's last child is in.
bool ModProblemsView::appendChunk(Pending& pending) {
    const std::size_t total = pending.findings.size() + pending.entries.size();
    const std::size_t end = std::min(total, pending.next + kChunk);
    QList<QStandardItem*> rows;
    rows.reserve(static_cast<qsizetype>(end - pending.next));
    for (; pending.next < end; ++pending.next) {
        const bool finding = pending.next < pending.findings.size();
        const ProblemEntry entry =
            finding ? ProblemEntry{pending.findings[pending.next].line,
                                   QString::fromLatin1(compiler::MessageText(pending.findings[pending.next]))}
                    : pending.entries[pending.next - pending.findings.size()];
        auto* row = new QStandardItem(entry.text);
        row->setData(entry.line, kLineRole);
        rows << row;
    }
    pending.file->appendRows(rows);
    return pending.next == total;
}

void ModProblemsView::open(const QModelIndex& index) {
    if (!index.isValid() || !index.parent().isValid())
        return;
    emit openAt(index.parent().data(kPathRole).toString(), index.data(kLineRole).toInt());
}

void ModProblemsView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid() && currentIndex().parent().isValid()) {
        open(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

} // namespace varko::maintree
