// The Tech Tree Graph window on a large tree, from the request to the graph painted: the layout on
// the worker, the items put into the scene in slices, the first paint, then the whole tree zoomed
// to fit and painted, then the same tree asked for again (as after an edit). Every event the GUI thread
// handles meanwhile is timed; the longest is the longest the window did not answer.
//   graph_bench [entries] [runs]           default 2000 entries, 5 runs
//   graph_bench circle [entries] [runs]    one circle through every entry
#include "bench_support.h"
#include "varko/maintree/crossview/graph_picture.h"
#include "varko/maintree/crossview/tech_tree_graph_view.h"
#include "varko/maintree/crossview/tech_tree_graph_window.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <random>
#include <string>

using namespace varko;

namespace {

// Like the sample mod's tree: each object requires up to three objects listed before it.
textrules::LineList Tree(int entries) {
    std::mt19937 random(1);
    textrules::LineList lines;
    for (int i = 0; i < entries; ++i) {
        const int count = i == 0 ? 0 : std::min(i, static_cast<int>(random() % 4));
        std::string line = "obj" + std::to_string(i) + ".odf " + std::to_string(count);
        for (int r = 0; r < count; ++r)
            line += " obj" + std::to_string(random() % i) + ".odf";
        lines.push_back(line);
    }
    return lines;
}

textrules::LineList Circle(int entries) {
    textrules::LineList lines;
    for (int i = 0; i < entries; ++i)
        lines.push_back("o" + std::to_string(i) + ".odf 1 o" + std::to_string((i + 1) % entries) + ".odf");
    return lines;
}

// Runs the event loop until the widget has been painted once more (two minutes at most).
class PaintWaiter : public QObject {
public:
    explicit PaintWaiter(QWidget* widget) { widget->installEventFilter(this); }
    void Wait() {
        m_painted = false;
        QTimer::singleShot(120000, &m_loop, &QEventLoop::quit);
        if (!m_painted)
            m_loop.exec();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            m_painted = true;
            if (m_loop.isRunning())
                m_loop.quit();
        }
        return false;
    }

private:
    QEventLoop m_loop;
    bool m_painted = false;
};

struct Run {
    double shownMs = 0;    // request to every item in the scene
    double paintedMs = 0;  // and the view painted
    double fitMs = 0;      // the Fit button to the whole tree painted
    double replacedMs = 0; // the same tree asked for again: the old items go, the new ones come
};

QAbstractButton* FitButton(const maintree::TechTreeGraphWindow& window) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->text() == QLatin1String("Fit"))
            return button;
    return nullptr;
}

Run Measure(const textrules::LineList& lines) {
    Run run;
    maintree::TechTreeGraphWindow window;
    window.resize(1000, 700);
    PaintWaiter painted(window.graphView().viewport());
    QEventLoop loop;
    QObject::connect(&window, &maintree::TechTreeGraphWindow::graphShown, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    window.showGraph(lines);
    loop.exec();
    run.shownMs = clock.nsecsElapsed() / 1e6;
    // The view may have painted its part of the tree while the items came in; this paint is the
    // whole view once more.
    window.graphView().viewport()->update();
    painted.Wait();
    run.paintedMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    FitButton(window)->click();
    painted.Wait();
    run.fitMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    window.showGraph(lines);
    loop.exec();
    run.replacedMs = clock.nsecsElapsed() / 1e6;
    return run;
}

double LayoutMs(const textrules::LineList& lines) {
    QElapsedTimer clock;
    clock.start();
    const maintree::GraphPicture picture = maintree::MakeGraphPicture(lines);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::TimingApplication app(argc, argv);
    const bool circle = argc > 1 && std::string(argv[1]) == "circle";
    const int first = circle ? 2 : 1;
    const int entries = argc > first ? std::stoi(argv[first]) : 2000;
    const int runs = argc > first + 1 ? std::stoi(argv[first + 1]) : 5;
    const textrules::LineList lines = circle ? Circle(entries) : Tree(entries);
    const maintree::GraphPicture picture = maintree::MakeGraphPicture(lines);
    std::printf("%d entries: %zu objects, %zu requirements, %zu circles\n", entries,
                picture.graph.nodes.size(), picture.graph.edges.size(), picture.graph.circles.size());
    std::printf("%12s %12s %12s %12s %12s  %s\n", "layout", "in scene", "painted", "fit painted", "replaced",
                "longest GUI task: wall (CPU), what");
    for (int i = 0; i < runs; ++i) {
        const double layout = LayoutMs(lines);
        app.Reset();
        const Run run = Measure(lines);
        std::printf("%9.1f ms %9.1f ms %9.1f ms %9.1f ms %9.1f ms  %.1f ms (%.1f ms), %s\n", layout,
                    run.shownMs, run.paintedMs, run.fitMs, run.replacedMs, app.longestWall / 1e6,
                    app.longestCpu / 1e6, app.longestWhat.toLocal8Bit().constData());
    }
    return 0;
}
