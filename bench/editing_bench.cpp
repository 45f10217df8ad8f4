// The code editor on a 100,000-line document: what opening costs with colours against a plain
// QPlainTextEdit, the background colouring that follows, and the GUI thread's time per keystroke
// and per caret step with colours, gutter and 1,000 fault marks. Run it on a release build:
//   editing_bench [lines] [keystrokes] [typing]
// Times are wall clock and, in brackets, the GUI thread's own processor time, which leaves out
// what other programs take of a busy machine. "typing" leaves out the opening runs.
#include "varko/maintree/editing/code_editor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <string>
#include <vector>

using varko::maintree::CodeEditor;

namespace {

qint64 ThreadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Wall clock and the thread's processor time, started together.
struct Stopwatch {
    Stopwatch() : cpuStart(ThreadCpuNanoseconds()) { clock.start(); }
    qint64 Wall() const { return clock.nsecsElapsed(); }
    qint64 Cpu() const { return ThreadCpuNanoseconds() - cpuStart; }

    QElapsedTimer clock;
    qint64 cpuStart;
};

struct Samples {
    std::vector<qint64> wall;
    std::vector<qint64> cpu;

    void Add(const Stopwatch& watch) {
        cpu.push_back(watch.Cpu());
        wall.push_back(watch.Wall());
    }
};

// The longest single event the GUI thread handles while the editor colours in the background.
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (m_depth++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            return handled;
        }
        const Stopwatch watch;
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        longestWall = std::max(longestWall, watch.Wall());
        longestCpu = std::max(longestCpu, watch.Cpu());
        return handled;
    }

    qint64 longestWall = 0;
    qint64 longestCpu = 0;

private:
    int m_depth = 0;
};

// Qt's "Code Editor" example without colours or marks: line numbers in a gutter that widens
// with the line count. Beside it the cost of the colours shows on its own.
class NumberedEdit : public QPlainTextEdit {
public:
    NumberedEdit() : m_gutter(this) {
        connect(this, &QPlainTextEdit::blockCountChanged, this, [this](int count) {
            const int width = fontMetrics().horizontalAdvance(QLatin1Char('9')) *
                                  std::max(3, static_cast<int>(QString::number(count).size())) +
                              14;
            setViewportMargins(width, 0, 0, 0);
            m_gutter.setGeometry(0, 0, width, height());
        });
        connect(this, &QPlainTextEdit::updateRequest, this, [this] { m_gutter.update(); });
        m_gutter.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_gutter || event->type() != QEvent::Paint)
            return QPlainTextEdit::eventFilter(watched, event);
        QPainter painter(&m_gutter);
        QTextBlock block = firstVisibleBlock();
        int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
        while (block.isValid() && top <= m_gutter.height()) {
            painter.drawText(0, top, m_gutter.width() - 6, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
            top += qRound(blockBoundingRect(block).height());
            block = block.next();
        }
        return true;
    }

private:
    QWidget m_gutter;
};

QString LargeDocument(int lineCount) {
    static const char* const kPattern[] = {
        "[GameObjectClass]",
        "// weapons and hardpoints",
        "",
        "skin = hull.tga // skin",
        "parts = a,",
        "\tb, c.odf",
        "maxHealth = 4500",
        "geometryName = \"tank00.msh\"",
        "weaponHard1 = \"gun\" 1 2",
        "scrapCost = 65",
        "buildTime = 12.5",
        "unitName = \"Heavy Tank\"",
        "canSnipe = 1",
        "range = 150 // m",
        "aiName = TankProcess",
        "   more, values",
        "#include \"base.odf\"",
        "lodDistance1 = 40",
        "collisionMesh = hull02.sod",
        "classLabel = \"wingman\"",
    };
    QString text;
    text.reserve(lineCount * 24);
    for (int i = 0; i < lineCount; ++i) {
        text += QLatin1String(kPattern[i % std::size(kPattern)]);
        text += QLatin1Char('\n');
    }
    return text;
}

double Ms(qint64 nanoseconds) {
    return static_cast<double>(nanoseconds) / 1e6;
}

struct Figures {
    double mean = 0;
    double max = 0;
    double median = 0;
};

Figures Summary(std::vector<qint64> times) {
    std::sort(times.begin(), times.end());
    const double sum = std::accumulate(times.begin(), times.end(), 0.0);
    return {Ms(static_cast<qint64>(sum / static_cast<double>(times.size()))), Ms(times.back()),
            Ms(times[times.size() / 2])};
}

// setPlainText and the first paint of what it shows.
void TimeOpening(QPlainTextEdit& editor, const QString& text, Samples& samples) {
    const Stopwatch watch;
    editor.setPlainText(text);
    editor.viewport()->repaint();
    samples.Add(watch);
}

void Show(QPlainTextEdit& editor) {
    editor.resize(1000, 700);
    editor.show();
    (void)QTest::qWaitForWindowExposed(&editor);
}

// One key: its press and release, and every event that follows from it, the paint included.
void TimeKey(QWidget& editor, Qt::Key key, Samples& samples) {
    const Stopwatch watch;
    QTest::keyClick(&editor, key, Qt::NoModifier);
    QCoreApplication::processEvents();
    samples.Add(watch);
}

Samples TypeLines(QWidget& editor, int keystrokes) {
    const std::string line = "x = 12 // n";
    Samples samples;
    for (int i = 0; i < keystrokes; ++i) {
        const char c = line[static_cast<std::size_t>(i) % (line.size() + 1)];
        TimeKey(editor, c == '\0' ? Qt::Key_Return : static_cast<Qt::Key>(QChar(c).toUpper().unicode()),
                samples);
    }
    return samples;
}

void PrintRow(const char* what, const Samples& samples) {
    const Figures wall = Summary(samples.wall);
    const Figures cpu = Summary(samples.cpu);
    std::printf("%-40s mean %7.2f (%7.2f)  median %7.2f (%7.2f)  max %7.2f (%7.2f) ms\n", what, wall.mean,
                cpu.mean, wall.median, cpu.median, wall.max, cpu.max);
}

void TimeOpenings(TimingApplication& app, const QString& text, int lineCount,
                  QPlainTextEdit::LineWrapMode wrap) {
    Samples plainOpen, numberedOpen, codeOpen, colouring, longestEvent;
    for (int run = 0; run < 5; ++run) {
        QPlainTextEdit plain;
        plain.setLineWrapMode(wrap);
        Show(plain);
        TimeOpening(plain, text, plainOpen);
        QCoreApplication::processEvents();
        NumberedEdit numbered;
        numbered.setLineWrapMode(wrap);
        Show(numbered);
        TimeOpening(numbered, text, numberedOpen);
        QCoreApplication::processEvents();
        CodeEditor code;
        code.setLineWrapMode(wrap);
        Show(code);
        TimeOpening(code, text, codeOpen);
        const Stopwatch watch;
        app.longestWall = app.longestCpu = 0;
        while (!code.isHighlightingDone())
            QCoreApplication::processEvents();
        colouring.Add(watch);
        longestEvent.wall.push_back(app.longestWall);
        longestEvent.cpu.push_back(app.longestCpu);
    }
    std::printf("%d lines, %s, 5 runs each; wall (thread CPU)\n", lineCount,
                wrap == QPlainTextEdit::NoWrap ? "no word wrap" : "word wrap");
    PrintRow("open, plain QPlainTextEdit", plainOpen);
    PrintRow("open, line numbers only", numberedOpen);
    PrintRow("open, CodeEditor", codeOpen);
    std::printf("CodeEditor / plain, medians: wall %.2f, CPU %.2f\n",
                Summary(codeOpen.wall).median / Summary(plainOpen.wall).median,
                Summary(codeOpen.cpu).median / Summary(plainOpen.cpu).median);
    std::printf("CodeEditor / line numbers only, medians: wall %.2f, CPU %.2f\n",
                Summary(codeOpen.wall).median / Summary(numberedOpen.wall).median,
                Summary(codeOpen.cpu).median / Summary(numberedOpen.cpu).median);
    PrintRow("colouring in the background, all", colouring);
    PrintRow("colouring, longest single event", longestEvent);
}

// An editor as the program's starts, without word wrap, with the document and the caret in the
// middle of it.
void Prepare(QPlainTextEdit& editor, const QString& text, int lineCount) {
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    Show(editor);
    editor.setPlainText(text);
    editor.setFocus();
    editor.setTextCursor(QTextCursor(editor.document()->findBlockByNumber(lineCount / 2)));
    editor.centerCursor();
    QCoreApplication::processEvents();
}

// 1,000 faults spread over the document, every other one about a token.
std::vector<varko::compiler::Finding> SpreadFindings(int lineCount) {
    std::vector<varko::compiler::Finding> findings;
    const int step = std::max(1, lineCount / 1000);
    for (int line = 1; line <= lineCount && findings.size() < 1000; line += step)
        findings.push_back({line, line % 2 == 0 ? 1 : 8, "M1", {"name"}});
    return findings;
}

void TimeTyping(const QString& text, int lineCount, int keystrokes) {
    CodeEditor editor;
    Prepare(editor, text, lineCount);
    while (!editor.isHighlightingDone())
        QCoreApplication::processEvents();
    editor.setFindings(SpreadFindings(lineCount));
    QCoreApplication::processEvents();
    std::printf("%d fault marks\n", editor.faultMarkCount());
    PrintRow("keystroke, CodeEditor", TypeLines(editor, keystrokes));
    Samples steps;
    for (int i = 0; i < keystrokes; ++i)
        TimeKey(editor, i % 200 < 100 ? Qt::Key_Down : Qt::Key_Up, steps);
    PrintRow("caret step (Up/Down), CodeEditor", steps);

    QPlainTextEdit plain;
    Prepare(plain, text, lineCount);
    PrintRow("keystroke, plain QPlainTextEdit", TypeLines(plain, keystrokes));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);
    const int lineCount = argc > 1 ? std::stoi(argv[1]) : 100000;
    const int keystrokes = argc > 2 ? std::stoi(argv[2]) : 600;
    const QString text = LargeDocument(lineCount);

    if (argc <= 3 || std::string(argv[3]) != "typing") {
        TimeOpenings(app, text, lineCount, QPlainTextEdit::NoWrap);
        TimeOpenings(app, text, lineCount, QPlainTextEdit::WidgetWidth);
    }

    TimeTyping(text, lineCount, keystrokes);
    return 0;
}
