#pragma once

#include "varko/compiler/finding.h"

#include <QString>
#include <QTimer>
#include <QTreeView>

#include <deque>
#include <vector>

class QStandardItem;
class QStandardItemModel;

namespace varko::maintree {

// One line of a file's node: its 1-based line and the text shown.
struct ProblemEntry {
    int line = 0;
    QString text;
};

// "Mod Problems": one node per file ("faulty.odf (3)"), its children the message texts of the
// file's findings, or any other per-line texts (the places that refer to a file, "Line 4: ...").
// Nodes are added at once and their children in slices, so a long list never holds up the window.
class ModProblemsView : public QTreeView {
    Q_OBJECT

public:
    explicit ModProblemsView(QWidget* parent = nullptr);

    void clear();
    void addFile(const QString& path, std::vector<compiler::Finding> findings);
    void addEntries(const QString& path, std::vector<ProblemEntry> entries);
    // True while children wait to be shown.
    bool isAppending() const { return !m_pending.empty(); }
    int fileCount() const;

signals:
    // Return or a double-click on a line's node.
    void openAt(const QString& path, int line);
    // Every child added so far is shown.
    void appended();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Pending {
        QStandardItem* file = nullptr;
        std::vector<compiler::Finding> findings;
        std::vector<ProblemEntry> entries;
        std::size_t next = 0;
    };

    QStandardItem* addFileNode(const QString& path, std::size_t count);
    void appendSlice();
    bool appendChunk(Pending& pending);
    void open(const QModelIndex& index);

    QStandardItemModel* m_model;
    std::deque<Pending> m_pending;
    QTimer m_slices;
};

} // namespace varko::maintree
