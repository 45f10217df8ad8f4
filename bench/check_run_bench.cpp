// Checks a 100,000-line document from the editor through the Run button's check run and reports
// the longest single task of the GUI thread (one event handled, from the loop's point of view),
// which is what decides whether the window stays responsive. Run it on a release build:
//   check_run_bench [lines]
#include "varko/compiler/data_files.h"
#include "varko/compiler/file_catalogue.h"
#include "varko/maintree/check_run.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/status_panels.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

#include <cstdio>
#include <ctime>
#include <string>

using namespace varko;

namespace {

qint64 ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Times every event the GUI thread handles at the top level, by the wall clock (what the user
// waits) and by the thread's own processor time (the same without other programs' share of a
// busy machine).
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        QElapsedTimer clock;
        qint64 cpuStart = 0;
        if (m_depth++ == 0) {
            clock.start();
            cpuStart = ThreadCpuNanoseconds();
        }
        const bool handled = QApplication::notify(receiver, event);
        if (--m_depth == 0)
            Record(clock.nsecsElapsed(), ThreadCpuNanoseconds() - cpuStart, event->type(), receiver);
        return handled;
    }

    // Without a receiver: the Run button's click, which is called directly here.
    void Record(qint64 wall, qint64 cpu, int eventType, const QObject* receiver) {
        if (wall > longestWall) {
            longestWall = wall;
            longestWhat = receiver ? QStringLiteral("event %1 to %2")
                                         .arg(eventType)
                                         .arg(QString::fromLatin1(receiver->metaObject()->className()))
                                   : QStringLiteral("the Run click");
        }
        longestCpu = std::max(longestCpu, cpu);
    }
    void Reset() {
        longestWall = 0;
        longestCpu = 0;
        longestWhat.clear();
    }

    qint64 longestWall = 0;
    qint64 longestCpu = 0;
    QString longestWhat;

private:
    int m_depth = 0;
};

QStringList Document(int lineCount, bool everyLineFaulty) {
    const QStringList kinds = {
        QStringLiteral("unitName = \"Tank %1\""),
        QStringLiteral("aiPriority = x%1"),
        QStringLiteral("aiFlee = %1"),
        QStringLiteral("baseClass = unit%1"),
        QStringLiteral("noSuchThing%1 = 1"),
        QStringLiteral("aiCombatRange = %1.5f"),
        QStringLiteral("// note %1"),
        QStringLiteral("aiPriority = %1 extra"),
    };
    QStringList lines;
    lines.reserve(lineCount);
    for (int i = 0; i < lineCount; ++i)
        lines << (everyLineFaulty ? QStringLiteral("noSuchThing%1 = 1").arg(i)
                                  : kinds[i % kinds.size()].arg(i));
    return lines;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);
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
    auto* splitedit = new QWidget(&window);
    auto* msgList = new QListWidget(&window);
    auto* status = new maintree::StatusPanels(&window);
    auto* tbRun = new QAction(QStringLiteral("Run"), &window);
    auto* column = new QVBoxLayout(&window);
    for (QWidget* part : {static_cast<QWidget*>(editor), splitedit, static_cast<QWidget*>(msgList),
                          static_cast<QWidget*>(status)})
        column->addWidget(part);
    window.resize(544, 375);
    window.show();

    maintree::CheckRun run({tbRun, [](int) {}, msgList, splitedit, status,
                            [status](const QString& text) { status->SetPanelText(1, text); }},
                           {[editor] { return editor->document()->toRawText(); },
                            [] { return QStringLiteral("Untitled.odf"); }, &environment,
                            [](const QString&) {}});

    std::printf("%-34s %9s %8s %9s %9s  %s\n", "document", "messages", "run ms", "wall ms", "cpu ms",
                "longest task (wall)");
    for (const bool everyLineFaulty : {false, true}) {
        editor->setPlainText(Document(lineCount, everyLineFaulty).join(QLatin1Char('\n')));
        // The second run also clears the first run's list.
        for (int pass = 1; pass <= 2; ++pass) {
            app.processEvents();
            app.Reset();
            QElapsedTimer total;
            total.start();
            const qint64 cpuStart = ThreadCpuNanoseconds();
            run.tb_RunClick();
            app.Record(total.nsecsElapsed(), ThreadCpuNanoseconds() - cpuStart, 0, nullptr);
            while (run.Running())
                app.processEvents(QEventLoop::WaitForMoreEvents);
            const QString name =
                QStringLiteral("%1 lines, %2, run %3")
                    .arg(lineCount)
                    .arg(everyLineFaulty ? QStringLiteral("all faulty") : QStringLiteral("mixed"))
                    .arg(pass);
            std::printf("%-34s %9d %8lld %9.1f %9.1f  %s\n", name.toLocal8Bit().constData(), msgList->count(),
                        total.elapsed(), app.longestWall / 1e6, app.longestCpu / 1e6,
                        app.longestWhat.toLocal8Bit().constData());
        }
    }
    return 0;
}
