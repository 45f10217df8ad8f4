#include "varko/lsp/document_check.h"

#include "varko/compiler/include_chain.h"
#include "varko/language/document_check.h"

#include <filesystem>

namespace varko::lsp {

DocumentCheck CheckLines(const textrules::LineList& lines, const std::string& path, const ModFolder& folder,
                         const compiler::OdfSource& source, const std::atomic<bool>& stop) {
    DocumentCheck check;
    if (folder.Ignores(path))
        return check;
    const bool extra = folder.settings.extraChecks;
    language::CheckOutcome outcome =
        language::CheckModDocument(lines, path, *folder.environment, extra ? &source : nullptr, stop);
    check.findings = std::move(outcome.findings);
    check.failure = std::move(outcome.failure);
    check.stopped = stop;
    if (check.stopped || !check.failure.empty())
        return check;
    std::erase_if(check.findings, [&](const compiler::Finding& finding) {
        return folder.ignoredCodes.ignored.contains(finding.code);
    });
    if (extra && compiler::KindOfPath(path) == compiler::DocumentKind::Odf) {
        const std::string name = std::filesystem::path(path).filename().string();
        for (const compiler::PropertySite& site : compiler::PropertySites(name, lines, source)) {
            if (site.depth > 0 && (check.includedFiles.empty() || check.includedFiles.back() != site.file))
                check.includedFiles.push_back(site.file);
        }
    }
    return check;
}

} // namespace varko::lsp
