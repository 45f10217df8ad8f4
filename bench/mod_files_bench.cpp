// The "Mod Files" page on a large addon directory, with accessibility on as a screen reader has
// it: listing the directory, then typing a filter key by key and clearing it. Run it on a release
// build:
//   mod_files_bench [files]        default 50000
#include "bench_support.h"

#include "varko/maintree/assist/mod_files_view.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace varko;

namespace {

// Stands in for the accessibility bridge: it asks for every row a change announces, as a bridge
// does when it tells the screen reader about new children.
void ReadAnnouncedRows(QAccessibleEvent* event) {
    if (event->type() != QAccessible::TableModelChanged)
        return;
    auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
    QAccessibleInterface* list = change->accessibleInterface();
    if (!list || change->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset)
        return;
    for (int row = change->firstRow(); row <= change->lastRow() && row >= 0; ++row)
        if (QAccessibleInterface* cell = list->child(row))
            (void)cell->text(QAccessible::Name);
}

int RowsShown(const maintree::ModFilesView& view) {
    return view.list()->model()->rowCount();
}

// Runs `step`, then takes events until the list shows `rows` rows; the longest GUI task and the
// time to the rows shown. A direct call is timed as one task; key clicks go through the
// application, which times each key.
void Time(bench::TimingApplication& app, const char* what, const maintree::ModFilesView& view, int rows,
          const std::function<void()>& step, bool directCall = true) {
    app.processEvents();
    app.Reset();
    QElapsedTimer total;
    total.start();
    QElapsedTimer clock;
    clock.start();
    const qint64 cpu = bench::ThreadCpuNanoseconds();
    step();
    if (directCall)
        app.Record(clock.nsecsElapsed(), bench::ThreadCpuNanoseconds() - cpu, 0, nullptr, what);
    while (RowsShown(view) != rows && total.elapsed() < 600000)
        app.processEvents(QEventLoop::WaitForMoreEvents, 50);
    app.processEvents();
    std::printf("%s: %d rows in %lld ms; longest GUI task %.1f ms wall, %.1f ms CPU (%s)\n", what,
                RowsShown(view), total.elapsed(), app.longestWall / 1e6, app.longestCpu / 1e6,
                app.longestWhat.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::TimingApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    QTemporaryDir dir;
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("unit%1.odf").arg(i, 5, 10, QLatin1Char('0'));
        kept += name.contains(QLatin1String("unit4")) ? 1 : 0;
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    QAccessible::installUpdateHandler(ReadAnnouncedRows);
    QAccessible::setActive(true);
    maintree::ModFilesView view;
    view.resize(300, 800);
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    Time(app, "listing", view, count, [&] { view.refresh({QFile::encodeName(dir.path()).toStdString()}); });
    Time(
        app, "typing \"unit4\"", view, kept,
        [&] { QTest::keyClicks(view.filterEdit(), QStringLiteral("unit4")); }, false);
    Time(app, "clearing the filter", view, count, [&] { view.filterEdit()->clear(); });
    return 0;
}
