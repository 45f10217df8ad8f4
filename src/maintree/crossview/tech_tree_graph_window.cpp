#include "varko/maintree/crossview/tech_tree_graph_window.h"

#include "varko/maintree/crossview/graph_picture.h"
#include "varko/maintree/crossview/raw_text_lines.h"
#include "varko/maintree/crossview/tech_tree_graph_view.h"
#include "varko/maintree/crossview/tech_tree_model.h"
#include "varko/maintree/editing/editor_colours.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace varko::maintree {

namespace {

QString Count(std::size_t count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QString Summary(const GraphPicture& picture) {
    return Count(picture.graph.nodes.size(), "object", "objects") + QStringLiteral(", ") +
           Count(picture.graph.edges.size(), "requirement", "requirements") + QStringLiteral(", ") +
           Count(picture.graph.circles.size(), "circle", "circles");
}

// Return on an item does what a double-click does, as in the other lists of the program.
class TechTreeList : public QTreeView {
public:
    explicit TechTreeList(std::function<void(const QModelIndex&)> open) : m_open(std::move(open)) {
        connect(this, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { m_open(index); });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
            m_open(currentIndex());
            event->accept();
            return;
        }
        QTreeView::keyPressEvent(event);
    }

private:
    std::function<void(const QModelIndex&)> m_open;
};

} // namespace

TechTreeGraphWindow::TechTreeGraphWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_runner(new maintree::Worker<maintree::LatestResult<Picture>>(this)),
      m_model(new TechTreeModel(this)), m_graph(new TechTreeGraphView),
      m_list(new TechTreeList([this](const QModelIndex& index) { listActivated(index); })),
      m_status(new QLabel) {
    setWindowTitle(QStringLiteral("Tech Tree Graph"));
    setAccessibleName(windowTitle());
    m_model->setCircleColour(maintree::ErrorColour(palette()));
    m_list->setModel(m_model);
    m_list->setAccessibleName(QStringLiteral("Tech Tree"));
    m_list->setHeaderHidden(true);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_graph);
    splitter->addWidget(m_list);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    // The list's long rows would otherwise claim most of the width at the first show.
    splitter->setSizes({3000, 1000});
    auto* column = new QVBoxLayout(this);
    column->addWidget(makeZoomButtons());
    column->addWidget(splitter, 1);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TechTreeGraphWindow::listMoved);
    connect(m_graph, &TechTreeGraphView::entrySelected, this, &TechTreeGraphWindow::entrySelected);
    connect(m_graph, &TechTreeGraphView::nodeClicked, this, &TechTreeGraphWindow::selectNodeRow);
    connect(m_graph, &TechTreeGraphView::drawn, this, &TechTreeGraphWindow::graphShown);
    connect(m_runner, &maintree::WorkerThread::finished, this, &TechTreeGraphWindow::showPicture);
    resize(900, 600);
}

TechTreeGraphWindow::~TechTreeGraphWindow() = default;

QWidget* TechTreeGraphWindow::makeZoomButtons() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* caption;
        const char* tip;
        void (TechTreeGraphView::*act)();
        QList<QKeySequence> keys; // anywhere in the window, the list too
    } buttons[] = {
        {"Zoom In",
         "Zoom in (Ctrl++ or Ctrl+wheel)",
         &TechTreeGraphView::zoomIn,
         {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"Zoom Out", "Zoom out (Ctrl+- or Ctrl+wheel)", &TechTreeGraphView::zoomOut, {QKeySequence::ZoomOut}},
        {"Fit", "Show the whole tree", &TechTreeGraphView::zoomToFit, {}},
    };
    for (const auto& button : buttons) {
        auto* tool = new QToolButton;
        tool->setText(QString::fromLatin1(button.caption));
        tool->setAccessibleName(tool->text());
        tool->setToolTip(QString::fromLatin1(button.tip));
        tool->setFocusPolicy(Qt::StrongFocus);
        tool->setAutoRaise(true);
        connect(tool, &QToolButton::clicked, m_graph, button.act);
        row->addWidget(tool);
        if (button.keys.isEmpty())
            continue;
        auto* shortcut = new QAction(tool->text(), this);
        shortcut->setShortcuts(button.keys);
        shortcut->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QAction::triggered, m_graph, button.act);
        addAction(shortcut);
    }
    m_status->setAccessibleName(QStringLiteral("Tech Tree Summary"));
    row->addWidget(m_status, 1);
    return bar;
}

void TechTreeGraphWindow::showGraph(textrules::LineList lines) {
    build([lines = std::move(lines)] { return lines; });
}

void TechTreeGraphWindow::showGraph(const QString& rawText) {
    build([rawText] { return RawTextLines(rawText); });
}

void TechTreeGraphWindow::build(LinesMaker lines) {
    show();
    raise();
    activateWindow();
    m_status->setText(QStringLiteral("Laying out the tree..."));
    m_runner->start([lines = std::move(lines)](const std::atomic<bool>&,
                                               maintree::Outbox<maintree::LatestResult<Picture>>& outbox) {
        outbox.post({std::make_shared<const GraphPicture>(MakeGraphPicture(lines()))});
    });
}

void TechTreeGraphWindow::showPicture() {
    std::optional<Picture> picture = m_runner->take().value;
    if (!picture)
        return;
    m_model->setPicture(*picture);
    m_graph->showPicture(*picture);
    m_status->setText(Summary(**picture));
}

// The box of the item current in the list is highlighted and brought into view.
void TechTreeGraphWindow::listMoved(const QModelIndex& current) {
    if (!current.isValid())
        return;
    const auto node = static_cast<std::size_t>(current.data(TechTreeModel::NodeRole).toULongLong());
    m_graph->setCurrentNode(node);
    if (!m_followingGraph)
        m_graph->showNode(node);
}

void TechTreeGraphWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    m_model->setCircleColour(maintree::ErrorColour(palette()));
    m_list->viewport()->update();
}

void TechTreeGraphWindow::listActivated(const QModelIndex& index) {
    if (index.isValid())
        emit entrySelected(index.data(TechTreeModel::LineRole).toInt());
}

// The box clicked is on screen already: the list follows without moving the graph.
void TechTreeGraphWindow::selectNodeRow(qulonglong node) {
    const QModelIndex row = m_model->index(static_cast<int>(node), 0);
    m_followingGraph = true;
    m_list->setCurrentIndex(row);
    m_list->scrollTo(row);
    m_followingGraph = false;
}

} // namespace varko::maintree
