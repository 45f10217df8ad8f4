// The script hierarchy of a 100,000-line document. The build runs on a worker; the GUI thread
// only copies the text and swaps the finished outline into the tree, which must stay well under
// 50 ms so that typing stays fluid while the panel is open.
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/hierarchy_builder.h"
#include "varko/maintree/navigation/script_hierarchy.h"

#include <QApplication>
#include <QEventLoop>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

using namespace varko::maintree;
namespace language = varko::language;

namespace {

constexpr int kLines = 100000;

// Mostly property lines, with the comments, blank lines, headers, glued comments and
// continuation lines of a real object definition.
QString LargeDocument() {
    static const char* const kPattern[] = {
        "[GameObjectClass]",
        "// weapons and hardpoints",
        "",
        "skin = hull // default skin",
        "parts = a,",
        "\tb, c",
        "maxHealth = 4500",
        "geometryName = \"tank00\"",
        "weaponHard1 = \"gun\" 1 2",
        "scrapCost = 65",
        "buildTime = 12.5",
        "unitName = \"Heavy Tank\"",
        "canSnipe = 1",
        "range = 150 // m",
        "aiName = TankProcess",
        "   more, values",
        "armorClass = H",
        "lodDistance1 = 40",
        "collisionMesh = hull02",
        "classLabel = \"wingman\"",
    };
    constexpr int kPatternSize = static_cast<int>(std::size(kPattern));
    QString text;
    text.reserve(kLines * 24);
    for (int i = 0; i < kLines; ++i) {
        text += QLatin1String(kPattern[i % kPatternSize]);
        text += QLatin1Char('\n');
    }
    return text;
}

std::shared_ptr<const language::ScriptOutline> OutlineOf(const EditorPane& editor, const QString& file) {
    const HierarchySnapshot snapshot = TakeHierarchySnapshot(*editor.document(), file, 0);
    return std::make_shared<const language::ScriptOutline>(
        language::BuildScriptOutline(SnapshotLines(snapshot.rawText), file.toStdString()));
}

struct Fixture {
    Fixture() {
        editor.setPlainText(LargeDocument());
        outline = OutlineOf(editor, file);
        // One line changed: the same shape with another label.
        auto edited = std::make_shared<language::ScriptOutline>(*outline);
        edited->properties[40000].name = "edited";
        sameShape = edited;
        // A block of 2,000 lines deleted near the top: every row below it changes.
        QTextCursor block(editor.document()->findBlockByNumber(100));
        block.setPosition(editor.document()->findBlockByNumber(2100).position(), QTextCursor::KeepAnchor);
        block.removeSelectedText();
        shifted = OutlineOf(editor, file);
        editor.undo();
    }

    EditorPane editor;
    QString file = QStringLiteral("/mods/addon/tank.odf");
    std::shared_ptr<const language::ScriptOutline> outline;
    std::shared_ptr<const language::ScriptOutline> sameShape;
    std::shared_ptr<const language::ScriptOutline> shifted;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void SetCounters(benchmark::State& state) {
    const language::ScriptOutline& outline = *Shared().outline;
    std::size_t values = 0;
    for (const language::OutlineProperty& property : outline.properties)
        values += property.values.size();
    state.counters["properties"] = static_cast<double>(outline.properties.size());
    state.counters["values"] = static_cast<double>(values);
}

// A panel-sized tree showing the hierarchy.
struct Panel {
    Panel() : hierarchy(tree, Shared().editor, [] { return Shared().file; }) {
        tree.resize(180, 700);
        tree.show();
    }

    // The view lays itself out when it is next painted, which is part of showing the result:
    // rendering it makes it lay out and paint now.
    void show(std::shared_ptr<const language::ScriptOutline> outline) {
        hierarchy.show(0, std::move(outline));
        benchmark::DoNotOptimize(tree.grab());
    }

    // The last property row is where the view puts it.
    bool LaidOut() const {
        const QAbstractItemModel& model = hierarchy.model();
        const QModelIndex root = model.index(0, 0);
        const QModelIndex last = model.index(model.rowCount(root) - 1, 0, root);
        return tree.indexAt(tree.visualRect(last).center()) == last;
    }

    QTreeView tree;
    ScriptHierarchy hierarchy;
};

// GUI thread: the copy a build reads.
void BM_TakeSnapshot(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        HierarchySnapshot snapshot = TakeHierarchySnapshot(*fixture.editor.document(), fixture.file, 1);
        benchmark::DoNotOptimize(snapshot.rawText.data());
    }
}

// Worker: lines of the copy and the outline.
void BM_BuildOffTheGuiThread(benchmark::State& state) {
    Fixture& fixture = Shared();
    const HierarchySnapshot snapshot = TakeHierarchySnapshot(*fixture.editor.document(), fixture.file, 1);
    for (auto _ : state) {
        language::ScriptOutline outline =
            language::BuildScriptOutline(SnapshotLines(snapshot.rawText), fixture.file.toStdString());
        benchmark::DoNotOptimize(outline.properties.data());
    }
    SetCounters(state);
}

// GUI thread: the first build's result into an empty tree, expanded, laid out and painted.
void BM_ShowFirstOutline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto panel = std::make_unique<Panel>();
        state.ResumeTiming();
        panel->show(Shared().outline);
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
    SetCounters(state);
}

// GUI thread: a rebuild after an edit replaces the shown outline; argument 0 is an edit inside a
// line, 1 a deleted block that shifts every row below it.
void BM_ShowRebuiltOutline(benchmark::State& state) {
    Fixture& fixture = Shared();
    Panel panel;
    panel.show(fixture.outline);
    if (!panel.LaidOut())
        state.SkipWithError("the tree is not laid out");
    const auto next = state.range(0) == 0 ? fixture.sameShape : fixture.shifted;
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        panel.show(flip ? next : fixture.outline);
    }
    SetCounters(state);
}

// From a tick of the hierarchy timer to the outline on screen, build, layout and paint included.
void BM_TickToOutlineShown(benchmark::State& state) {
    Panel panel;
    for (auto _ : state) {
        panel.hierarchy.noteTextChanged();
        QEventLoop loop;
        bool shown = false;
        QObject::connect(&panel.hierarchy, &ScriptHierarchy::outlineShown, &loop, [&] {
            shown = true;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        panel.hierarchy.buildIfChanged();
        loop.exec();
        if (!shown)
            state.SkipWithError("no outline");
        benchmark::DoNotOptimize(panel.tree.grab());
    }
}

} // namespace

BENCHMARK(BM_TakeSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOffTheGuiThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowFirstOutline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowRebuiltOutline)->Arg(0)->Arg(1)->ArgName("shifted")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickToOutlineShown)->Unit(benchmark::kMillisecond)->UseRealTime();

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
