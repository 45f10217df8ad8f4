#include "varko/lsp/document_check.h"

#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/include_chain.h"
#include "varko/compiler/tech_tree_graph.h"

#include <algorithm>
#include <filesystem>

namespace varko::lsp {

namespace {

class CollectingSink : public compiler::CheckSink {
public:
    explicit CollectingSink(DocumentCheck& check) : m_check(check) {}
    void RunStarted(int) override { m_check.findings.clear(); }
    void MessageFound(const compiler::Finding& finding) override { m_check.findings.push_back(finding); }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string& text) override { m_check.failure = text; }

private:
    DocumentCheck& m_check;
};

void AddCrossFileFindings(const textrules::LineList& lines, const std::string& name,
                          compiler::DocumentKind kind, const compiler::OdfSource& source,
                          DocumentCheck& check) {
    std::vector<compiler::Finding> extra;
    if (kind == compiler::DocumentKind::TechTree) {
        extra = compiler::CheckTechTreeGraph(lines);
    } else {
        extra = compiler::CheckIncludeChain(name, lines, source);
        for (const compiler::PropertySite& site : compiler::PropertySites(name, lines, source)) {
            if (site.depth > 0 && (check.includedFiles.empty() || check.includedFiles.back() != site.file))
                check.includedFiles.push_back(site.file);
        }
    }
    const auto checked = static_cast<std::ptrdiff_t>(check.findings.size());
    check.findings.insert(check.findings.end(), extra.begin(), extra.end());
    std::inplace_merge(
        check.findings.begin(), check.findings.begin() + checked, check.findings.end(),
        [](const compiler::Finding& a, const compiler::Finding& b) { return a.line < b.line; });
}

} // namespace

DocumentCheck CheckLines(const textrules::LineList& lines, const std::string& path, const ModFolder& folder,
                         const compiler::OdfSource& source, const std::atomic<bool>& stop) {
    DocumentCheck check;
    if (folder.Ignores(path))
        return check;
    const compiler::DocumentKind kind = compiler::KindOfPath(path);
    CollectingSink sink(check);
    compiler::CheckDocument(lines, kind, *folder.environment, stop, sink);
    check.stopped = stop;
    if (check.stopped || !check.failure.empty())
        return check;
    if (folder.settings.extraChecks)
        AddCrossFileFindings(lines, std::filesystem::path(path).filename().string(), kind, source, check);
    std::erase_if(check.findings, [&](const compiler::Finding& finding) {
        return folder.ignoredCodes.ignored.contains(finding.code);
    });
    return check;
}

} // namespace varko::lsp
