// The assist features on large inputs, timed as the user feels them. Run it on a release build:
//   assist_bench live [lines]      typing in a long document that is checked as it changes
//   assist_bench complete [names]  the completion list among many declared names
//   assist_bench mod <dir>         checking a mod made by bench/gen_mod.py, problems view filling
#include "bench_support.h"

#include "varko/maintree/assist/check_mod_job.h"
#include "varko/maintree/assist/completion.h"
#include "varko/maintree/assist/live_checker.h"
#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/compiler/check_environment.h"
#include "varko/language/document_check.h"
#include "varko/language/property_catalog.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/editor/editor_text.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <cstdio>
#include <memory>
#include <string>

using namespace varko;

namespace {

// An environment of the program directory and game directories under `root`, read now.
std::unique_ptr<compiler::CheckEnvironment> EnvironmentAt(const std::string& root) {
    auto environment = std::make_unique<compiler::CheckEnvironment>(root + "/app");
    environment->SetGameDirs({root + "/addon"}, {root + "/sod"});
    environment->Refresh();
    return environment;
}

struct Spread {
    double mean = 0;
    double max = 0;
    void Add(double value, int count) {
        mean += value / count;
        max = std::max(max, value);
    }
};

// 200 keystrokes, each with the events that follow it: wall clock and the GUI thread's CPU time.
std::pair<Spread, Spread> TypeKeys(bench::TimingApplication& app, maintree::EditorPane& editor) {
    constexpr int kKeys = 200;
    Spread wall;
    Spread cpu;
    for (int i = 0; i < kKeys; ++i) {
        QElapsedTimer clock;
        clock.start();
        const qint64 cpuStart = bench::ThreadCpuNanoseconds();
        QTest::keyClick(&editor, 'x');
        app.processEvents();
        wall.Add(clock.nsecsElapsed() / 1e6, kKeys);
        cpu.Add((bench::ThreadCpuNanoseconds() - cpuStart) / 1e6, kKeys);
    }
    return {wall, cpu};
}

void TypeAndWait(bench::TimingApplication& app, maintree::EditorPane& editor, const bool& delivered,
                 int round) {
    const auto [key, cpu] = TypeKeys(app, editor);
    app.Reset();
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    while (!delivered)
        app.processEvents(QEventLoop::WaitForMoreEvents);
    const double wait = sinceLastKey.nsecsElapsed() / 1e6;
    std::printf("round %d: keystroke mean %.2f ms, max %.2f ms (CPU mean %.2f ms, max %.2f ms); last key to "
                "findings %.0f ms (%.0f ms after "
                "the %d ms pause); longest GUI task then %.1f ms wall, %.1f ms CPU (%s)\n",
                round, key.mean, key.max, cpu.mean, cpu.max, wait,
                wait - maintree::LiveChecker::kDefaultDelayMs, maintree::LiveChecker::kDefaultDelayMs,
                app.longestWall / 1e6, app.longestCpu / 1e6, app.longestWhat.toLocal8Bit().constData());
}

void TypeWithoutChecking(bench::TimingApplication& app, maintree::EditorPane& editor) {
    QElapsedTimer copy;
    copy.start();
    const QString raw = editor.document()->toRawText();
    std::printf("%d lines; one copy of the text (toRawText): %.1f ms\n", editor.document()->blockCount(),
                copy.nsecsElapsed() / 1e6);
    for (const auto where : {QTextCursor::End, QTextCursor::Start}) {
        editor.moveCursor(where);
        const auto [alone, cpu] = TypeKeys(app, editor);
        std::printf(
            "without live checking, at the %s: keystroke mean %.2f ms, max %.2f ms (CPU mean %.2f ms, "
            "max %.2f ms)\n",
            where == QTextCursor::End ? "end" : "start", alone.mean, alone.max, cpu.mean, cpu.max);
    }
}

// The checker over the editor's lines, its time on the worker kept for the report.
maintree::LiveChecker::TextCheck TimedCheck(const compiler::CheckEnvironment& environment,
                                          std::atomic<qint64>& wall, std::atomic<qint64>& cpu) {
    return [&](const QString& text, const std::string& path, const std::atomic<bool>& stop) {
        QElapsedTimer clock;
        clock.start();
        const qint64 cpuStart = bench::ThreadCpuNanoseconds();
        maintree::CheckOutcome outcome =
            language::CheckLines(maintree::RawTextLines(text), path, environment, stop);
        wall = clock.nsecsElapsed();
        cpu = bench::ThreadCpuNanoseconds() - cpuStart;
        return outcome;
    };
}

// A program directory with a five-line declarations table and empty game directories.
void WriteSmallMod(const QTemporaryDir& root) {
    for (const char* directory : {"app", "addon", "sod"})
        QDir(root.path()).mkdir(QString::fromLatin1(directory));
    QFile declarations(root.filePath(QStringLiteral("app/declarations.txt")));
    declarations.open(QIODevice::WriteOnly);
    declarations.write("unitName=string\naiPriority=int\naiFlee=bool\nbaseClass=odf\naiCombatRange=real\n");
}

int RunLive(bench::TimingApplication& app, int lineCount) {
    QTemporaryDir root;
    WriteSmallMod(root);
    const auto environment = EnvironmentAt(QFile::encodeName(root.path()).toStdString());
    maintree::EditorPane editor;
    editor.resize(800, 600);
    editor.show();
    editor.setPlainText(bench::Document(lineCount).join(QLatin1Char('\n')));
    TypeWithoutChecking(app, editor);
    std::atomic<qint64> wall = 0;
    std::atomic<qint64> cpu = 0;
    maintree::LiveChecker checker(&editor, TimedCheck(*environment, wall, cpu),
                                [] { return QStringLiteral("bench.odf"); });
    QObject::connect(&editor, &QPlainTextEdit::textChanged, &checker, &maintree::LiveChecker::textChanged);
    bool delivered = false;
    QObject::connect(&checker, &maintree::LiveChecker::findingsReady, &checker,
                     [&](const std::vector<compiler::Finding>& found) {
                         delivered = true;
                         std::printf("findings delivered: %zu\n", found.size());
                     });
    for (int round = 1; round <= 3; ++round) {
        editor.moveCursor(round == 2 ? QTextCursor::Start : QTextCursor::End);
        delivered = false;
        TypeAndWait(app, editor, delivered, round);
        std::printf("         the check on the worker: %.0f ms wall, %.0f ms CPU\n", wall / 1e6, cpu / 1e6);
    }
    return 0;
}

// declarations.txt lines of as many names, each with a type word.
textrules::LineList ManyDeclarations(int count) {
    static const char* const kParts[] = {"ai",     "alt",    "base",   "build",  "cargo", "crew",
                                         "damage", "deploy", "eject",  "fire",   "hover", "light",
                                         "max",    "min",    "pilot",  "power",  "radar", "scrap",
                                         "shot",   "team",   "thrust", "turret", "wing",  "yaw"};
    static const char* const kTypes[] = {"int", "real", "string", "bool", "odf", "odfn", "sod", "sodn"};
    // Names end in letters: a trailing number would make a numbered family.
    auto letters = [](int n) {
        std::string text;
        for (; n > 0; n /= 26)
            text.push_back(static_cast<char>('a' + n % 26));
        return text;
    };
    textrules::LineList lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(std::string(kParts[i % 24]) + kParts[(i / 24) % 24] + "Name" + letters(i) + "=" +
                        kTypes[i % 8]);
    return lines;
}

double ShowPopup(bench::TimingApplication& app, maintree::Completion& completion,
                 const std::function<void()>& act) {
    QElapsedTimer clock;
    clock.start();
    act();
    while (!completion.isPopupVisible() && clock.elapsed() < 5000)
        app.processEvents();
    app.processEvents(); // the first paint
    return clock.nsecsElapsed() / 1e6;
}

void TimeTypedPrefixes(bench::TimingApplication& app, QPlainTextEdit& editor,
                       maintree::Completion& completion) {
    Spread typed;
    const char* const kPrefixes[] = {"ai", "ba", "cr", "de", "fi", "ho", "ma", "pi", "ra", "sc", "th", "wi"};
    for (const char* prefix : kPrefixes) {
        editor.clear();
        QTest::keyClick(&editor, prefix[0]);
        app.processEvents();
        typed.Add(ShowPopup(app, completion, [&] { QTest::keyClick(&editor, prefix[1]); }), 12);
        QTest::keyClick(completion.popup(), Qt::Key_Escape);
    }
    std::printf("second letter typed to list shown, 12 prefixes: mean %.1f ms, max %.1f ms\n", typed.mean,
                typed.max);
}

int RunComplete(bench::TimingApplication& app, int count) {
    const textrules::LineList declarations = ManyDeclarations(count);
    QElapsedTimer clock;
    clock.start();
    const language::PropertyCatalog catalog(declarations, {});
    std::printf("catalogue of %zu names built (once, when the declarations are read): %.1f ms\n",
                catalog.Entries().size(), clock.nsecsElapsed() / 1e6);
    QPlainTextEdit editor;
    editor.resize(800, 600);
    editor.show();
    clock.restart();
    maintree::Completion completion(&editor, {[&catalog] { return catalog.Entries(); }, {}, {}, {}});
    std::printf("completion set up (the names are read on a worker): %.1f ms\n", clock.nsecsElapsed() / 1e6);
    std::printf("first Complete at once, waiting for the worker: %.1f ms\n",
                ShowPopup(app, completion, [&] { completion.complete(); }));
    QTest::keyClick(completion.popup(), Qt::Key_Escape);
    std::printf("Complete on an empty line (every name offered): %.1f ms\n",
                ShowPopup(app, completion, [&] { completion.complete(); }));
    QTest::keyClick(completion.popup(), Qt::Key_Escape);
    TimeTypedPrefixes(app, editor, completion);
    return 0;
}

int RunMod(bench::TimingApplication& app, const QString& modDir) {
    const std::string root = QFile::encodeName(modDir).toStdString();
    const auto environment = EnvironmentAt(root);
    maintree::ModProblemsView view;
    view.resize(600, 800);
    view.show();
    maintree::CheckModJob job([&environment](const textrules::LineList& lines, const std::string& path,
                                           const std::atomic<bool>& stop) {
        return language::CheckLines(lines, path, *environment, stop);
    });
    std::size_t findings = 0;
    QObject::connect(&job, &maintree::CheckModJob::filesChecked, &view,
                     [&](const std::vector<maintree::ModFileResult>& results) {
                         for (const maintree::ModFileResult& result : results) {
                             findings += result.findings.size();
                             view.addFile(QFile::decodeName(QByteArray::fromStdString(result.path)),
                                          result.findings);
                         }
                     });
    app.processEvents();
    app.Reset();
    QElapsedTimer total;
    total.start();
    job.start({root + "/addon"});
    while (job.isRunning() || view.isAppending())
        app.processEvents(QEventLoop::WaitForMoreEvents);
    std::printf(
        "%d files with findings, %zu findings: %lld ms; longest GUI task %.1f ms wall, %.1f ms CPU (%s)\n",
        view.fileCount(), findings, total.elapsed(), app.longestWall / 1e6, app.longestCpu / 1e6,
        app.longestWhat.toLocal8Bit().constData());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::TimingApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString argument = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (what == QLatin1String("live"))
        return RunLive(app, argument.isEmpty() ? 100000 : argument.toInt());
    if (what == QLatin1String("complete"))
        return RunComplete(app, argument.isEmpty() ? 100000 : argument.toInt());
    if (what == QLatin1String("mod") && !argument.isEmpty())
        return RunMod(app, argument);
    std::fprintf(stderr, "usage: assist_bench live [lines] | complete [names] | mod <generated mod dir>\n");
    return 2;
}
