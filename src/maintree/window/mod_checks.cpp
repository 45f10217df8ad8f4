#include "varko/maintree/window/mod_checks.h"

#include "varko/assist/environment_sources.h"
#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/include_chain.h"
#include "varko/compiler/tech_tree_graph.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace varko::maintree {

compiler::OdfSource AddonOdfSource(const compiler::CheckEnvironment& environment) {
    return compiler::CachingOdfSource(
        compiler::OdfSourceFromPaths([files = environment.Files()](std::string_view name) {
            return files.FindOdfPath(name).value_or(std::string());
        }));
}

assist::CheckOutcome CheckModDocument(const textrules::LineList& lines, const std::string& path,
                                      const compiler::CheckEnvironment& environment,
                                      const compiler::OdfSource* includes, const std::atomic<bool>& stop) {
    assist::CheckOutcome outcome = assist::CheckLines(lines, path, environment, stop);
    if (!includes || !outcome.failure.empty() || stop.load())
        return outcome;
    // Include lines name a document by its file name.
    std::vector<compiler::Finding> extra =
        compiler::KindOfPath(path) == compiler::DocumentKind::TechTree
            ? compiler::CheckTechTreeGraph(lines)
            : compiler::CheckIncludeChain(std::filesystem::path(path).filename().string(), lines, *includes);
    std::vector<compiler::Finding>& findings = outcome.findings;
    const auto checked = static_cast<std::ptrdiff_t>(findings.size());
    findings.insert(findings.end(), std::make_move_iterator(extra.begin()),
                    std::make_move_iterator(extra.end()));
    std::inplace_merge(
        findings.begin(), findings.begin() + checked, findings.end(),
        [](const compiler::Finding& a, const compiler::Finding& b) { return a.line < b.line; });
    return outcome;
}

} // namespace varko::maintree
