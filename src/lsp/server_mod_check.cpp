#include "varko/lsp/server.h"

#include "varko/cli/batch_check.h"
#include "varko/cli/cross_file_checks.h"
#include "varko/cli/mod_files.h"
#include "varko/lsp/diagnostics.h"
#include "varko/lsp/file_uri.h"

#include <thread>

namespace varko::lsp {

namespace {

using nlohmann::json;

// Sends $/progress for a token, when there is one.
class Progress {
public:
    Progress(Connection& connection, json token) : m_connection(connection), m_token(std::move(token)) {}
    void Begin(const std::string& title) {
        Send({{"kind", "begin"}, {"title", title}, {"cancellable", true}});
    }
    void Report(std::size_t done, std::size_t total) {
        const int percentage = total ? static_cast<int>(done * 100 / total) : 100;
        Send({{"kind", "report"},
              {"message", std::to_string(done) + "/" + std::to_string(total) + " files"},
              {"percentage", percentage}});
    }
    void End(const std::string& message) { Send({{"kind", "end"}, {"message", message}}); }

private:
    void Send(json value) {
        if (!m_token.is_null())
            m_connection.Notify("$/progress", {{"token", m_token}, {"value", std::move(value)}});
    }
    Connection& m_connection;
    json m_token;
};

std::vector<cli::ModFile> FilesOf(const ModFolder& folder) {
    std::vector<cli::ModFile> files = cli::CollectModFiles(folder.environment->AddonDirs()).files;
    std::erase_if(files, [&](const cli::ModFile& file) { return folder.Ignores(file.path); });
    return files;
}

json DiagnosticsOfReport(const cli::FileReport& report, const ModFolder& folder, PositionEncoding encoding,
                         const std::string& uri) {
    json list = json::array();
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        if (folder.ignoredCodes.ignored.contains(report.findings[i].code))
            continue;
        DiagnosticContext context{uri, encoding,
                                  [&](std::size_t) { return std::string_view(report.lineTexts[i]); },
                                  [&](std::string_view name) -> std::optional<std::string> {
                                      auto path = folder.environment->FindOdfPath(name);
                                      return path ? std::optional(UriOfPath(*path)) : std::nullopt;
                                  }};
        list.push_back(DiagnosticOf(report.findings[i], context));
    }
    return list;
}

} // namespace

void Server::ExecuteCommand(const json& params, Reply reply) {
    if (params.at("command") != "varko.checkMod")
        throw RpcError{rpc::kInvalidParams, "Unknown command " + params.at("command").dump()};
    json token = params.value("workDoneToken", json());
    auto stop = std::make_shared<std::atomic<bool>>(false);
    if (token.is_null() && m_clientProgress) {
        std::lock_guard lock(m_progressMutex);
        token = "varko.checkMod/" + std::to_string(m_nextProgress++);
        m_connection.Request("window/workDoneProgress/create", {{"token", token}},
                             [](const json&, const json*) {});
    }
    if (!token.is_null()) {
        std::lock_guard lock(m_progressMutex);
        m_progressStops[token.dump()] = stop;
    }
    json request = params;
    request["workDoneToken"] = token;
    m_checks.Schedule("varko.checkMod/" + reply.Id().dump(), std::chrono::milliseconds(0),
                      [this, request, reply, stop](const std::atomic<bool>&) mutable {
                          CheckMod(request, reply, *stop);
                          std::lock_guard lock(m_progressMutex);
                          m_progressStops.erase(request["workDoneToken"].dump());
                      });
}

void Server::CheckMod(const json& params, Reply reply, const std::atomic<bool>& cancelled) {
    Progress progress(m_connection, params.at("workDoneToken"));
    progress.Begin("Checking the mod");
    std::atomic<bool> stop{false};
    std::size_t fileCount = 0, findingCount = 0;
    for (const auto& folder : m_workspace.Folders()) {
        const std::vector<cli::ModFile> files = FilesOf(*folder);
        std::optional<cli::CrossFileChecks> cross;
        if (folder->settings.extraChecks)
            cross.emplace(*folder->environment, false);
        cli::BatchOptions options{static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
                                  [&](std::size_t done, std::size_t total) {
                                      stop = stop || cancelled || reply.Cancelled();
                                      progress.Report(done, total);
                                  },
                                  cli::LineTexts::Keep,
                                  {},
                                  {},
                                  &stop};
        if (cross)
            options.followUp = [&](const cli::ModFile& file, const textrules::LineList& lines,
                                   std::vector<compiler::Finding>& findings) {
                cross->Check(file, lines, findings);
            };
        const cli::BatchResult result = cli::RunBatch(files, *folder->environment, options);
        if (stop)
            break;
        fileCount += files.size();
        findingCount += PublishModFindings(result, *folder);
    }
    if (stop || cancelled || reply.Cancelled()) {
        progress.End("Cancelled");
        return reply.Error({rpc::kRequestCancelled, "Request cancelled"});
    }
    progress.End(std::to_string(findingCount) + " finding(s) in " + std::to_string(fileCount) + " files");
    reply.Result({{"files", fileCount}, {"findings", findingCount}});
}

// Files open in the editor keep the diagnostics of their own checks; a file the last whole-mod
// check published and this one found clean is cleared.
std::size_t Server::PublishModFindings(const cli::BatchResult& result, const ModFolder& folder) {
    std::size_t count = 0;
    std::lock_guard lock(m_documentsMutex);
    for (const cli::FileReport& report : result.reports) {
        const std::string uri = UriOfPath(report.file.path);
        json diagnostics = DiagnosticsOfReport(report, folder, m_encoding, uri);
        count += diagnostics.size();
        if (m_documents.contains(uri))
            continue;
        const bool clean = diagnostics.empty();
        if (!clean || m_modCheckUris.contains(uri))
            m_connection.Notify("textDocument/publishDiagnostics",
                                {{"uri", uri}, {"diagnostics", diagnostics}});
        if (clean)
            m_modCheckUris.erase(uri);
        else
            m_modCheckUris.insert(uri);
    }
    return count;
}

} // namespace varko::lsp
