#pragma once

#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"
#include "varko/textrules/text_rules.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QModelIndex;
class QTreeView;

namespace varko::maintree {

struct GraphPicture;
class TechTreeGraphView;
class TechTreeModel;

// The "Tech Tree Graph" window, not modal: the tree drawn as a graph, and beside it the same
// structure as the "Tech Tree" list for the keyboard and screen readers. The graph is built and
// laid out on a worker from a copy of the lines; only the latest request is shown. A click on a box,
// or Return or a double-click on a list item, emits entrySelected with the line of its entry.
class TechTreeGraphWindow : public QWidget {
    Q_OBJECT

public:
    explicit TechTreeGraphWindow(QWidget* parent = nullptr);
    ~TechTreeGraphWindow() override;

    // Shows the window and starts on the tree's lines, or on an editor document's raw text
    // (QTextDocument::toRawText), which the worker cuts into lines.
    void showGraph(textrules::LineList lines);
    void showGraph(const QString& rawText);

    TechTreeGraphView& graphView() const { return *m_graph; }
    QTreeView& treeList() const { return *m_list; }

signals:
    void entrySelected(int line);
    // The latest tree is in the list and drawn in full.
    void graphShown();

protected:
    void changeEvent(QEvent* event) override;

private:
    using LinesMaker = std::function<textrules::LineList()>;
    void build(LinesMaker lines);
    QWidget* makeZoomButtons();
    void listActivated(const QModelIndex& index);
    void listMoved(const QModelIndex& current);
    void selectNodeRow(qulonglong node);
    void showPicture();

    using Picture = std::shared_ptr<const GraphPicture>;
    maintree::Worker<maintree::LatestResult<Picture>>* m_runner;
    TechTreeModel* m_model;
    TechTreeGraphView* m_graph;
    QTreeView* m_list;
    QLabel* m_status;
    bool m_followingGraph = false;
};

} // namespace varko::maintree
