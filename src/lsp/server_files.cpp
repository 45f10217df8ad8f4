#include "varko/lsp/server.h"

#include "varko/compiler/project_file.h"
#include "varko/lsp/file_uri.h"

#include <algorithm>
#include <iterator>

namespace fs = std::filesystem;

namespace varko::lsp {

namespace {

using nlohmann::json;

// Past this many files appearing or going at once, every open document is checked again.
constexpr std::size_t kMaxNamedChanges = 64;

std::vector<std::string> AllNames(const compiler::CheckEnvironment& environment) {
    std::vector<std::string> names = environment.OdfNames();
    std::vector<std::string> sod = environment.SodNames();
    names.insert(names.end(), sod.begin(), sod.end());
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<fs::file_time_type> ModificationTime(const std::string& path) {
    std::error_code ec;
    const fs::file_time_type time = fs::last_write_time(path, ec);
    return ec ? std::nullopt : std::optional(time);
}

// What the poller saw of a folder last time.
struct FolderView {
    std::vector<std::string> names;
    std::optional<fs::file_time_type> projectTime;
    bool known = false;
};

} // namespace

void Server::DidChangeWatchedFiles(const json& params) {
    bool reload = false;
    std::vector<std::string> names;
    for (const json& change : params.at("changes")) {
        const std::optional<std::string> path = PathOfUri(change.at("uri").get<std::string>());
        if (!path)
            continue;
        const std::string name = fs::path(*path).filename().string();
        reload = reload || textrules::SameText(name, compiler::kProjectFile);
        names.push_back(name);
    }
    if (reload)
        m_workspace.SetFolders(m_workspace.FolderPaths());
    for (const auto& folder : m_workspace.Folders())
        folder->environment->Refresh();
    if (reload)
        return CheckAllOpen();
    for (const std::string& name : names)
        CheckDependents(name, {}, std::chrono::milliseconds(0));
}

// Many clients never say that a file changed on disk: the environments are refreshed here (a
// directory is listed again only when it changed), and the files the open documents' checks read
// are looked at again.
void Server::PollFiles() {
    std::map<std::string, FolderView> seen;
    std::unique_lock lock(m_pollMutex);
    while (!m_pollWake.wait_for(lock, m_options.pollInterval, [this] { return m_quit; })) {
        lock.unlock();
        for (const auto& folder : m_workspace.Folders()) {
            FolderView& view = seen[folder->path];
            const std::optional<fs::file_time_type> projectTime =
                ModificationTime((fs::path(folder->path) / compiler::kProjectFile).string());
            if (view.known && projectTime != view.projectTime) {
                ReportProblems({m_workspace.Reload(folder->path)});
                CheckAllOpen();
            }
            view.projectTime = projectTime;
            folder->environment->Refresh();
            std::vector<std::string> names = AllNames(*folder->environment);
            std::vector<std::string> changed;
            std::set_symmetric_difference(view.names.begin(), view.names.end(), names.begin(), names.end(),
                                          std::back_inserter(changed));
            const bool first = !view.known;
            view.known = true;
            view.names = std::move(names);
            if (changed.empty())
                continue;
            // A folder seen for the first time may have changed since its documents were checked.
            if (first || changed.size() > kMaxNamedChanges)
                CheckAllOpen();
            else
                for (const std::string& name : changed)
                    CheckDependents(name, {}, std::chrono::milliseconds(0));
        }
        std::vector<std::string> stale;
        {
            std::lock_guard documents(m_documentsMutex);
            for (const auto& [uri, document] : m_documents) {
                for (const auto& [path, time] : document.readFiles) {
                    if (ModificationTime(path).value_or(fs::file_time_type()) != time) {
                        stale.push_back(uri);
                        break;
                    }
                }
            }
        }
        for (const std::string& uri : stale)
            ScheduleCheck(uri, std::chrono::milliseconds(0));
        lock.lock();
    }
}

} // namespace varko::lsp
