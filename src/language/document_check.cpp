#include "varko/language/document_check.h"

#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/include_chain.h"
#include "varko/compiler/tech_tree_graph.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace varko::language {

namespace {

class CollectingSink : public compiler::CheckSink {
public:
    explicit CollectingSink(CheckOutcome& outcome) : m_outcome(outcome) {}
    void RunStarted(int) override {}
    void MessageFound(const compiler::Finding& finding) override { m_outcome.findings.push_back(finding); }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string& text) override { m_outcome.failure = text; }

private:
    CheckOutcome& m_outcome;
};

} // namespace

CheckOutcome CheckLines(const textrules::LineList& lines, const std::string& path,
                        const compiler::CheckEnvironment& environment, const std::atomic<bool>& stop) {
    CheckOutcome outcome;
    CollectingSink sink(outcome);
    compiler::CheckDocument(lines, compiler::KindOfPath(path), environment, stop, sink);
    return outcome;
}

compiler::OdfSource AddonOdfSource(const compiler::CheckEnvironment& environment) {
    return compiler::CachingOdfSource(
        compiler::OdfSourceFromPaths([files = environment.Files()](std::string_view name) {
            return files.FindOdfPath(name).value_or(std::string());
        }));
}

CheckOutcome CheckModDocument(const textrules::LineList& lines, const std::string& path,
                              const compiler::CheckEnvironment& environment,
                              const compiler::OdfSource* includes, const std::atomic<bool>& stop) {
    CheckOutcome outcome = CheckLines(lines, path, environment, stop);
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

} // namespace varko::language
