#include "varko/cli/cross_file_checks.h"
#include "varko/textrules/utf8_path.h"

#include "varko/compiler/include_chain.h"
#include "varko/compiler/tech_tree_graph.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <set>

namespace varko::cli {

// The included files that could not be read, noted from the workers.
struct IncludeReadFailures {
    std::mutex mutex;
    std::set<std::string> paths;
};

namespace {

// Gives the lines of an addon file by name, as the ODF checker finds it; a file that is listed but
// cannot be read is noted. The cache asks once per name, so each is read and noted once.
compiler::OdfSource AddonSource(const compiler::GameFiles& files,
                                std::shared_ptr<IncludeReadFailures> unreadable) {
    compiler::OdfSource read = compiler::OdfSourceFromPaths(
        [files](std::string_view name) { return files.FindOdfPath(name).value_or(std::string()); });
    return compiler::CachingOdfSource(
        [read = std::move(read), files, unreadable = std::move(unreadable)](std::string_view name) {
            compiler::SharedLines lines = read(name);
            if (!lines) {
                if (std::optional<std::string> path = files.FindOdfPath(name)) {
                    std::lock_guard lock(unreadable->mutex);
                    unreadable->paths.insert(*path);
                }
            }
            return lines;
        });
}

bool LineOrder(const compiler::Finding& a, const compiler::Finding& b) {
    return a.line < b.line;
}

} // namespace

CrossFileChecks::CrossFileChecks(const compiler::CheckEnvironment& environment, bool findUnused)
    : m_unreadable(std::make_shared<IncludeReadFailures>()),
      m_source(AddonSource(environment.Files(), m_unreadable)) {
    if (findUnused)
        m_unused.emplace(environment.Files(), environment.Declarations());
}

void CrossFileChecks::Check(const ModFile& file, const textrules::LineList& lines,
                            std::vector<compiler::Finding>& findings) {
    if (m_unused)
        m_unused->Add(file, lines);
    // The document is named as include lines name it: by its file name.
    std::vector<compiler::Finding> extra =
        file.kind == compiler::DocumentKind::TechTree
            ? compiler::CheckTechTreeGraph(lines)
            : compiler::CheckIncludeChain(
                  textrules::Utf8FromPath(textrules::PathFromUtf8(file.path).filename()), lines, m_source);
    if (extra.empty())
        return;
    const auto checked = static_cast<std::ptrdiff_t>(findings.size());
    findings.insert(findings.end(), std::make_move_iterator(extra.begin()),
                    std::make_move_iterator(extra.end()));
    std::inplace_merge(findings.begin(), findings.begin() + checked, findings.end(), LineOrder);
}

std::vector<std::string> CrossFileChecks::UnreadableIncludes(const std::string& currentDirectory) const {
    std::lock_guard lock(m_unreadable->mutex);
    std::vector<std::string> shown;
    for (const std::string& path : m_unreadable->paths)
        shown.push_back(ShownPath(path, currentDirectory));
    return shown;
}

FindingRecords CrossFileChecks::UnusedNotes(const PathFilter& filter, const std::string& currentDirectory) {
    return m_unused ? m_unused->Notes(filter, currentDirectory) : FindingRecords{};
}

} // namespace varko::cli
