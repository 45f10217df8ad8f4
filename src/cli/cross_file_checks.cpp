#include "varko/cli/cross_file_checks.h"

#include "varko/compiler/include_closures.h"
#include "varko/compiler/tech_tree_graph.h"
#include "varko/textrules/utf8_path.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <set>
#include <unordered_map>

namespace varko::cli {

// The included files read and those that could not be read, noted from the workers; by their
// paths in normal form.
struct IncludeReads {
    std::mutex mutex;
    std::unordered_map<std::string, compiler::SharedLines> read;
    std::set<std::string> unreadable;
};

namespace {

std::string NormalPath(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

// Gives the lines of an addon file by name, as the ODF checker finds it, and notes it by its path.
// The cache asks once per name, so each is read and noted once.
compiler::OdfSource AddonSource(const compiler::GameFiles& files, std::shared_ptr<IncludeReads> reads) {
    compiler::OdfSource read = compiler::OdfSourceFromPaths(
        [files](std::string_view name) { return files.FindOdfPath(name).value_or(std::string()); });
    return compiler::CachingOdfSource(
        [read = std::move(read), files, reads = std::move(reads)](std::string_view name) {
            compiler::SharedLines lines = read(name);
            if (std::optional<std::string> path = files.FindOdfPath(name)) {
                std::lock_guard lock(reads->mutex);
                if (lines)
                    reads->read.emplace(NormalPath(*path), lines);
                else
                    reads->unreadable.insert(*path);
            }
            return lines;
        });
}

bool LineOrder(const compiler::Finding& a, const compiler::Finding& b) {
    return a.line < b.line;
}

} // namespace

CrossFileChecks::CrossFileChecks(const compiler::CheckEnvironment& environment, bool findUnused)
    : m_reads(std::make_shared<IncludeReads>()), m_includes(AddonSource(environment.Files(), m_reads)) {
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
            : m_includes.Check(textrules::Utf8FromPath(textrules::PathFromUtf8(file.path).filename()), lines);
    if (extra.empty())
        return;
    const auto checked = static_cast<std::ptrdiff_t>(findings.size());
    findings.insert(findings.end(), std::make_move_iterator(extra.begin()),
                    std::make_move_iterator(extra.end()));
    std::inplace_merge(findings.begin(), findings.begin() + checked, findings.end(), LineOrder);
}

compiler::SharedLines CrossFileChecks::LinesRead(const std::string& path) const {
    std::lock_guard lock(m_reads->mutex);
    auto it = m_reads->read.find(NormalPath(path));
    return it == m_reads->read.end() ? nullptr : it->second;
}

std::vector<std::string> CrossFileChecks::UnreadableIncludes(const std::string& currentDirectory) const {
    std::lock_guard lock(m_reads->mutex);
    std::vector<std::string> shown;
    for (const std::string& path : m_reads->unreadable)
        shown.push_back(ShownPath(path, currentDirectory));
    return shown;
}

FindingRecords CrossFileChecks::UnusedNotes(const PathFilter& filter, const std::string& currentDirectory) {
    return m_unused ? m_unused->Notes(filter, currentDirectory) : FindingRecords{};
}

} // namespace varko::cli
