// Throughput of the checkers' inner loop, without disk access for the documents.
#include "varko/compiler/check_run.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

using namespace varko::compiler;
using varko::textrules::LineList;

namespace {

class NullSink : public CheckSink {
public:
    void RunStarted(int) override {}
    void MessageFound(const Finding& finding) override { benchmark::DoNotOptimize(finding.parts.data()); }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string&) override {}
};

LineList Declarations(int count) {
    LineList lines;
    const char* types[] = {"int", "real", "bool", "string", "odf", "sod", "arraystring"};
    for (int i = 0; i < count; ++i)
        lines.push_back("prop" + std::to_string(i) + "x=" + types[i % 7]);
    return lines;
}

LineList Document(int count) {
    LineList lines;
    const char* values[] = {"12", "1.5f", "1", "\"Name\"", "target", "hull", "a b c"};
    for (int i = 0; i < count; ++i) {
        int kind = i % 7;
        lines.push_back("prop" + std::to_string((i * 7 + kind) % 1500) + "x = " + values[kind]);
    }
    return lines;
}

void BM_CompileOdf(benchmark::State& state) {
    auto dir = std::filesystem::temp_directory_path() / "varko_core_bench";
    std::filesystem::create_directories(dir / "addon");
    std::filesystem::create_directories(dir / "sod");
    std::ofstream(dir / "addon" / "target.odf") << "";
    std::ofstream(dir / "sod" / "hull.sod") << "";
    auto odf = std::make_shared<FileCatalogue>((dir / "addon").string(), "*.odf");
    auto sod = std::make_shared<FileCatalogue>((dir / "sod").string(), "*.*");
    const GameFiles files({odf}, {sod}, std::make_shared<NameList>());
    DeclarationTable declarations(Declarations(1500));
    LineList lines = Document(static_cast<int>(state.range(0)));
    std::atomic<bool> stop{false};
    NullSink sink;
    for (auto _ : state)
        CompileOdf(lines, declarations, files, stop, sink);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CompileOdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SplitTokens(benchmark::State& state) {
    LineList tokens;
    for (auto _ : state) {
        varko::textrules::SplitTokens(tokens, "\"a quoted name\", 12, 3.5f // trailing note");
        benchmark::DoNotOptimize(tokens.data());
    }
}
BENCHMARK(BM_SplitTokens);

} // namespace

BENCHMARK_MAIN();
