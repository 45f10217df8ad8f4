// Finding and replacing in a 100,000-line document. Find Next must answer within 50 ms even when
// the match is at the far end; Replace All of 10,000 matches within 500 ms as one undo step; and a
// key typed in the find field must cost the GUI thread little however many matches there are,
// because the count runs on the counter's worker.
#include "varko/maintree/search/editor_search.h"
#include "varko/maintree/search/find_bar.h"
#include "varko/maintree/search/text_search.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

using namespace varko::maintree;

namespace {

constexpr int kLines = 100000;
constexpr int kNeedleLine = 99990;
// Every tenth line holds "target": 10,000 matches.
constexpr int kTargetEvery = 10;

QString LargeDocument() {
    QString text;
    text.reserve(kLines * 28);
    for (int i = 0; i < kLines; ++i) {
        if (i == kNeedleLine)
            text += QStringLiteral("needle = %1\n").arg(i);
        else if (i % kTargetEvery == 0)
            text += QStringLiteral("target%1 = \"unit\" %2\n").arg(i).arg(i % 97);
        else
            text += QStringLiteral("property%1 = value %2\n").arg(i).arg(i % 97);
    }
    return text;
}

// An editor with its find bar in a shown window, as in the program.
struct Window {
    Window() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(editor);
        layout->addWidget(&bar);
        original = LargeDocument();
        editor->setPlainText(original);
        window.resize(900, 700);
        window.show();
        QApplication::processEvents();
    }
    void Caret(int position) {
        QTextCursor cursor(editor->document());
        cursor.setPosition(position);
        editor->setTextCursor(cursor);
    }
    // A change and its undo: the same text, but every copy taken of it is out of date.
    void Touch() {
        QTextCursor cursor(editor->document());
        cursor.insertText(QStringLiteral("x"));
        editor->undo();
    }
    // Lets the counter's results in, which the program's event loop would do between keys.
    void Settle() {
        QSignalSpy counted(&bar, &FindBar::MatchesCounted);
        counted.wait(2000);
    }

    QWidget window;
    QPlainTextEdit* editor = new QPlainTextEdit(&window);
    FindBar& bar = *new FindBar(*editor, &window);
    QString original;
};

Window& Shared() {
    static Window window;
    return window;
}

void Search(Window& w, const char* pattern) {
    w.bar.OpenFind();
    w.bar.Controls().findEdit->setText(QString::fromLatin1(pattern));
}

// From the start of the document to the one match near its end. Arg 1: the text changed just
// before, so the search first takes a fresh copy of it.
void BM_FindNextNearTheEnd(benchmark::State& state) {
    Window& w = Shared();
    Search(w, "needle");
    w.Settle();
    for (auto _ : state) {
        state.PauseTiming();
        w.Caret(0);
        if (state.range(0))
            w.Touch();
        state.ResumeTiming();
        w.bar.FindNext();
    }
    if (w.editor->textCursor().selectedText() != QLatin1String("needle"))
        state.SkipWithError("Find Next did not reach the match");
}

// Backwards to a match near the start, through every window before the caret. Arg 0: from the
// end; 1: from the middle, the worst case, as each window also reads on to the end of the text.
void BM_FindPreviousFarBack(benchmark::State& state) {
    Window& w = Shared();
    Search(w, "target10 ");
    w.Settle();
    for (auto _ : state) {
        state.PauseTiming();
        w.Caret(int(state.range(0) ? w.original.size() / 2 : w.original.size()));
        state.ResumeTiming();
        w.bar.FindPrevious();
    }
    if (w.editor->textCursor().selectionStart() != w.original.indexOf(QLatin1String("target10 ")))
        state.SkipWithError("Find Previous did not reach the match");
}

// 10,000 matches replaced; the undo that follows each round must give back the exact text.
void BM_ReplaceAll(benchmark::State& state) {
    Window& w = Shared();
    w.bar.OpenReplace();
    w.bar.Controls().findEdit->setText(QStringLiteral("target"));
    w.bar.Controls().replaceEdit->setText(QStringLiteral("aim"));
    for (auto _ : state) {
        w.bar.ReplaceAll();
        QApplication::processEvents();
        state.PauseTiming();
        const bool replaced = !w.editor->document()->toPlainText().contains(QLatin1String("target"));
        w.editor->undo();
        const bool restored = w.editor->document()->toPlainText() == w.original;
        state.ResumeTiming();
        if (!replaced || !restored)
            state.SkipWithError(replaced ? "one undo did not restore the text" : "matches left over");
    }
    state.counters["matches"] = kLines / kTargetEvery;
}

// The undo of those 10,000 replacements, for comparison.
void BM_UndoReplaceAll(benchmark::State& state) {
    Window& w = Shared();
    EditorSearch search(*w.editor);
    const TextSearch target(QStringLiteral("target"), {});
    for (auto _ : state) {
        state.PauseTiming();
        search.ReplaceAll(target, QStringLiteral("aim"));
        state.ResumeTiming();
        w.editor->undo();
    }
}

// What the counter's worker does for one search: every match of the document. Arg: 0 a pattern
// found once, 1 one found on every line.
void BM_CountOnTheWorker(benchmark::State& state) {
    const QString text = Shared().original;
    const TextSearch search(state.range(0) ? QStringLiteral("= ") : QStringLiteral("needle"), {});
    std::size_t found = 0;
    for (auto _ : state)
        found = AllMatches(search, text).size();
    state.counters["matches"] = double(found);
}

// The GUI thread's part of one key typed in the find field (the search from the caret and
// handing the count to the worker), alternating between two search texts. Arg: 0 the match is near
// the caret and there are 100,000 matches to count, 1 the only match is at the far end.
void BM_KeyInTheFindField(benchmark::State& state) {
    Window& w = Shared();
    // Typing searches from where the caret was when the bar opened.
    w.Caret(0);
    Search(w, state.range(0) ? "needl" : "= valu");
    QLineEdit* field = w.bar.Controls().findEdit;
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        QTest::keyClick(field, longer ? Qt::Key_E : Qt::Key_Backspace);
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    w.Settle();
}

// From the key to the count in the status line, with the worker's time: what the user waits for.
void BM_KeyToCountShown(benchmark::State& state) {
    Window& w = Shared();
    Search(w, "= valu");
    w.Settle();
    QLineEdit* field = w.bar.Controls().findEdit;
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        QSignalSpy counted(&w.bar, &FindBar::MatchesCounted);
        QTest::keyClick(field, longer ? Qt::Key_E : Qt::Key_Backspace);
        // The count may already have come while the key was being handled.
        if (counted.isEmpty() && !counted.wait(5000))
            state.SkipWithError("no count came");
    }
}

} // namespace

BENCHMARK(BM_FindNextNearTheEnd)->Arg(0)->Arg(1)->ArgName("changed")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPreviousFarBack)->Arg(0)->Arg(1)->ArgName("middle")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoReplaceAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountOnTheWorker)->Arg(0)->Arg(1)->ArgName("every_line")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyInTheFindField)->Arg(0)->Arg(1)->ArgName("far")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyToCountShown)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
