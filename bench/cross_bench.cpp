// The cross-file checks: "did you mean" among 100,000 names, and the tech-tree, include and
// reference checks over a generated mod (bench/gen_mod.py OUTDIR --circles 20). The mod is read
// from $VARKO_BENCH_MOD, by default bench/out/cross-mod under the current directory.
#include "varko/compiler/include_chain.h"
#include "varko/compiler/include_closures.h"
#include "varko/compiler/nearest_names.h"
#include "varko/compiler/reference_index.h"
#include "varko/compiler/tech_tree_graph.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

using namespace varko::compiler;
using varko::textrules::LineList;

namespace {

// Names shaped like property and file names: a few syllables and sometimes a number.
std::vector<std::string> ManyNames(std::size_t count) {
    const char* parts[] = {"max",  "health", "ammo", "weapon", "name",  "light", "hard",    "point", "scrap",
                           "cost", "build",  "time", "shield", "range", "velo",  "forward", "turn",  "rate"};
    std::mt19937 random(3);
    std::vector<std::string> names;
    while (names.size() < count) {
        std::string name;
        for (std::size_t n = 2 + random() % 3; n > 0; --n)
            name += parts[random() % std::size(parts)];
        if (random() % 3 == 0)
            name += std::to_string(random() % 100);
        names.push_back(name);
    }
    return names;
}

void BM_NearestNames(benchmark::State& state) {
    const std::vector<std::string> names = ManyNames(static_cast<std::size_t>(state.range(0)));
    const char* typed[] = {"maxHelth", "weaponNam1", "SHIELDRANGE", "buildtimecost7", "x"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(NearestNames(typed[i++ % std::size(typed)], names));
}
BENCHMARK(BM_NearestNames)->Arg(100000)->Unit(benchmark::kMillisecond);

std::filesystem::path ModDir() {
    const char* dir = std::getenv("VARKO_BENCH_MOD");
    return dir ? dir : "bench/out/cross-mod";
}

std::optional<LineList> ReadLines(const std::filesystem::path& path) {
    std::optional<std::string> bytes = varko::textrules::ReadFileBytes(path.string());
    return bytes ? std::optional(varko::textrules::SplitDocumentLines(*bytes)) : std::nullopt;
}

struct ModFiles {
    std::vector<std::string> names;
    std::vector<LineList> lines;
};

ModFiles ReadMod(const std::filesystem::path& addon) {
    ModFiles mod;
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(addon))
        paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const auto& path : paths) {
        mod.names.push_back(path.filename().string());
        mod.lines.push_back(ReadLines(path).value_or(LineList{}));
    }
    return mod;
}

void BM_TechTreeChecks(benchmark::State& state) {
    const std::optional<LineList> tree = ReadLines(ModDir() / "addon" / "tree.tt");
    if (!tree) {
        state.SkipWithError("no generated mod; see the comment at the top of cross_bench.cpp");
        return;
    }
    std::size_t findings = 0;
    for (auto _ : state)
        findings = CheckTechTreeGraph(*tree).size();
    state.counters["findings"] = static_cast<double>(findings);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tree->size()));
}
BENCHMARK(BM_TechTreeChecks)->Unit(benchmark::kMillisecond);

void BM_TechTreeOneCircle(benchmark::State& state) {
    LineList lines;
    const auto count = state.range(0);
    for (std::int64_t i = 0; i < count; ++i)
        lines.push_back("o" + std::to_string(i) + ".odf 1 o" + std::to_string((i + 1) % count) + ".odf");
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTechTreeGraph(lines));
}
BENCHMARK(BM_TechTreeOneCircle)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every ODF file of the mod checked as a document, the included files read once from disk:
// `makeCheck(addon)` gives the include check of one round.
template <class MakeCheck> void CheckEveryDocument(benchmark::State& state, MakeCheck makeCheck) {
    const std::filesystem::path addon = ModDir() / "addon";
    if (!std::filesystem::is_directory(addon)) {
        state.SkipWithError("no generated mod; see the comment at the top of cross_bench.cpp");
        return;
    }
    const ModFiles mod = ReadMod(addon);
    std::size_t findings = 0;
    for (auto _ : state) {
        const auto check = makeCheck(addon.string());
        findings = 0;
        for (std::size_t i = 0; i < mod.names.size(); ++i)
            findings += check(mod.names[i], mod.lines[i]).size();
    }
    state.counters["documents"] = static_cast<double>(mod.names.size());
    state.counters["findings"] = static_cast<double>(findings);
}

// The walk per document.
void BM_IncludeChecks(benchmark::State& state) {
    CheckEveryDocument(state, [](const std::string& addon) {
        return [source = CachingOdfSource(DirectoryOdfSource({addon}))](const std::string& name,
                                                                        const LineList& lines) {
            return CheckIncludeChain(name, lines, source);
        };
    });
}
BENCHMARK(BM_IncludeChecks)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same findings through one IncludeClosures, as varko-check --extra gets them.
void BM_IncludeClosures(benchmark::State& state) {
    CheckEveryDocument(state, [](const std::string& addon) {
        return [closures = std::make_shared<IncludeClosures>(CachingOdfSource(DirectoryOdfSource({addon})))](
                   const std::string& name, const LineList& lines) { return closures->Check(name, lines); };
    });
}
BENCHMARK(BM_IncludeClosures)->Unit(benchmark::kMillisecond);

void BM_ReferencesAndUnused(benchmark::State& state) {
    const std::filesystem::path mod = ModDir();
    const std::optional<LineList> declarations = ReadLines(mod / "app" / "declarations.txt");
    if (!declarations) {
        state.SkipWithError("no generated mod; see the comment at the top of cross_bench.cpp");
        return;
    }
    const DeclarationTable table(*declarations);
    const ModFiles files = ReadMod(mod / "addon");
    std::size_t unused = 0;
    for (auto _ : state) {
        ReferenceIndex index(table);
        for (std::size_t i = 0; i < files.names.size(); ++i)
            index.Add(files.names[i], files.lines[i]);
        unused = index.Unused(files.names).size();
    }
    state.counters["unused"] = static_cast<double>(unused);
}
BENCHMARK(BM_ReferencesAndUnused)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
