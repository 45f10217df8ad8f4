#pragma once

#include "varko/lsp/check_scheduler.h"
#include "varko/lsp/dispatcher.h"
#include "varko/lsp/document_check.h"
#include "varko/lsp/text_document.h"
#include "varko/lsp/workspace.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace varko::lsp {

struct ServerOptions {
    std::string programDir; // where declarations.txt and the other data files are, with a separator
    std::chrono::milliseconds debounce{250};
    std::chrono::milliseconds pollInterval{1000}; // how often files on disk are looked at
    int workers = 2;
};

// The language server: binds the protocol's methods to the dispatcher and keeps the open
// documents, the workspace and the checks.
class Server {
public:
    Server(Connection& connection, Dispatcher& dispatcher, ServerOptions options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // For tests and benchmarks: waits until no check waits or runs.
    void WaitIdle() { m_checks.WaitIdle(); }

private:
    struct OpenDocument {
        TextDocument text;
        std::string path; // empty for a URI that is not a file
        std::shared_ptr<const std::string> snapshot;
        // What the last check read from disk, with the modification time it saw.
        std::map<std::string, std::filesystem::file_time_type> readFiles;
        std::vector<compiler::Finding> findings; // of the last check published
    };
    // What a language request reads of an open document.
    struct DocumentView {
        std::string uri;
        std::string path;
        textrules::LineList lines;
        std::shared_ptr<ModFolder> folder;
        std::vector<compiler::Finding> findings;
    };
    std::optional<DocumentView> View(const nlohmann::json& params);

    void BindLifecycle();
    void BindDocuments();
    void BindWorkspace();
    void BindLanguage();
    void BindNavigation();

    nlohmann::json Initialize(const nlohmann::json& params);
    void Initialized();
    void RequestConfiguration();
    void RegisterFileWatchers();
    void ReportProblems(const std::vector<std::shared_ptr<ModFolder>>& folders);

    void DidOpen(const nlohmann::json& params);
    void DidChange(const nlohmann::json& params);
    void DidClose(const nlohmann::json& params);
    void DidChangeWatchedFiles(const nlohmann::json& params);

    // Checks the open document after the delay, cancelling an older check of it.
    void ScheduleCheck(const std::string& uri, std::chrono::milliseconds delay);
    void RunCheck(const std::string& uri, const std::atomic<bool>& stop);
    void Publish(const std::string& uri, int version, const textrules::LineList& lines,
                 const std::vector<compiler::Finding>& findings, const ModFolder& folder);
    compiler::OdfSource SourceFor(const ModFolder& folder);
    // The open documents other than `except` that name the file, checked again.
    void CheckDependents(const std::string& fileName, const std::string& except,
                         std::chrono::milliseconds delay);
    void CheckAllOpen();

    void PollFiles();
    void ExecuteCommand(const nlohmann::json& params, Reply reply);
    void CheckMod(const nlohmann::json& params, Reply reply, const std::atomic<bool>& stop);

    Connection& m_connection;
    Dispatcher& m_dispatcher;
    ServerOptions m_options;
    PositionEncoding m_encoding = PositionEncoding::Utf16;
    bool m_clientProgress = false;
    bool m_clientConfiguration = false;
    bool m_clientWatchRegistration = false;
    Workspace m_workspace;

    std::mutex m_documentsMutex;
    std::map<std::string, OpenDocument> m_documents; // by URI
    std::set<std::string> m_modCheckUris;            // published by the last whole-mod check

    std::mutex m_progressMutex;
    std::map<std::string, std::shared_ptr<std::atomic<bool>>> m_progressStops; // by progress token
    long long m_nextProgress = 1;

    CheckScheduler m_checks;
    std::mutex m_pollMutex;
    std::condition_variable m_pollWake;
    bool m_quit = false;
    std::thread m_poller;
};

} // namespace varko::lsp
