// Checks a 100,000-line document from the editor through the Run button's check run and reports
// the longest single task of the GUI thread (one event handled, from the loop's point of view),
// which is what decides whether the window stays responsive. Run it on a release build:
//   check_run_bench [lines]
#include "bench_support.h"

#include "varko/compiler/data_files.h"
#include "varko/compiler/file_catalogue.h"
#include "varko/maintree/checkrun/check_run.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/window/status_panels.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cstdio>
#include <string>

using namespace varko;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::TimingApplication app(argc, argv);
    const int lineCount = argc > 1 ? std::stoi(argv[1]) : 100000;

    QTemporaryDir dir;
    const QString appDir = dir.filePath(QStringLiteral("app/"));
    QDir().mkpath(appDir);
    QDir().mkpath(dir.filePath(QStringLiteral("addon")));
    QFile declarations(appDir + compiler::kDeclarationsFile);
    declarations.open(QIODevice::WriteOnly);
    declarations.write("unitName=string\naiPriority=int\naiFlee=bool\nbaseClass=odf\naiCombatRange=real\n");
    declarations.close();
    compiler::CheckEnvironment environment(QFile::encodeName(appDir).toStdString());
    const std::string addon = QFile::encodeName(dir.filePath(QStringLiteral("addon"))).toStdString();
    environment.SetGameDirs({addon}, {addon});

    QWidget window;
    auto* editor = new maintree::EditorPane(&window);
    auto* messageSplitter = new QWidget(&window);
    auto* messageList = new QListWidget(&window);
    auto* status = new maintree::StatusPanels(&window);
    auto* column = new QVBoxLayout(&window);
    for (QWidget* part : {static_cast<QWidget*>(editor), messageSplitter, static_cast<QWidget*>(messageList),
                          static_cast<QWidget*>(status)})
        column->addWidget(part);
    window.resize(544, 375);
    window.show();

    maintree::CheckRun run(
        {[](maintree::RunButtonState) {}, messageList, messageSplitter, status,
         [status](const QString& text) { status->setPanelText(maintree::StatusPanel::CheckResult, text); },
         // The findings become the editor's fault marks, as in the main window.
         [editor](std::vector<compiler::Finding> findings) { editor->setFindings(findings); }},
        {[editor] { return editor->document()->toRawText(); }, [] { return QStringLiteral("Untitled.odf"); },
         &environment, [](const QString&) {}});

    std::printf("%-34s %9s %8s %9s %9s  %s\n", "document", "messages", "run ms", "wall ms", "cpu ms",
                "longest task (wall)");
    for (const bool everyLineFaulty : {false, true}) {
        editor->setFindings({});
        editor->setPlainText(bench::Document(lineCount, everyLineFaulty).join(QLatin1Char('\n')));
        // The second run also clears the first run's list.
        for (int pass = 1; pass <= 2; ++pass) {
            app.processEvents();
            app.Reset();
            QElapsedTimer total;
            total.start();
            const qint64 cpuStart = bench::ThreadCpuNanoseconds();
            run.startOrStop();
            app.Record(total.nsecsElapsed(), bench::ThreadCpuNanoseconds() - cpuStart, 0, nullptr,
                       "the Run click");
            while (run.running())
                app.processEvents(QEventLoop::WaitForMoreEvents);
            const QString name =
                QStringLiteral("%1 lines, %2, run %3")
                    .arg(lineCount)
                    .arg(everyLineFaulty ? QStringLiteral("all faulty") : QStringLiteral("mixed"))
                    .arg(pass);
            std::printf("%-34s %9d %8lld %9.1f %9.1f  %s\n", name.toLocal8Bit().constData(),
                        messageList->count(), total.elapsed(), app.longestWall / 1e6, app.longestCpu / 1e6,
                        app.longestWhat.toLocal8Bit().constData());
        }
    }
    return 0;
}
