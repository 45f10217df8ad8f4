#include "varko/lsp/server.h"

#include "varko/compiler/odf_source.h"
#include "varko/lsp/diagnostics.h"
#include "varko/lsp/file_uri.h"

namespace fs = std::filesystem;

namespace varko::lsp {

namespace {

using nlohmann::json;

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string Stem(const std::string& path) {
    return fs::path(path).stem().string();
}

std::optional<fs::file_time_type> ModificationTime(const std::string& path) {
    std::error_code ec;
    const fs::file_time_type time = fs::last_write_time(path, ec);
    return ec ? std::nullopt : std::optional(time);
}

} // namespace

void Server::BindDocuments() {
    m_dispatcher.OnNotification("textDocument/didOpen", [this](const json& params) { DidOpen(params); });
    m_dispatcher.OnNotification("textDocument/didChange", [this](const json& params) { DidChange(params); });
    m_dispatcher.OnNotification("textDocument/didClose", [this](const json& params) { DidClose(params); });
    m_dispatcher.OnNotification("textDocument/didSave", [this](const json& params) {
        const std::string uri = params.at("textDocument").at("uri").get<std::string>();
        ScheduleCheck(uri, std::chrono::milliseconds(0));
        CheckDependents(FileName(PathOfUri(uri).value_or(uri)), uri, std::chrono::milliseconds(0));
    });
}

void Server::DidOpen(const json& params) {
    const json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    OpenDocument document;
    document.text = TextDocument(item.at("text").get<std::string>(), item.value("version", 0));
    document.path = PathOfUri(uri).value_or(uri);
    document.snapshot = std::make_shared<const std::string>(document.text.Text());
    {
        std::lock_guard lock(m_documentsMutex);
        m_documents.insert_or_assign(uri, std::move(document));
    }
    ScheduleCheck(uri, std::chrono::milliseconds(0));
    CheckDependents(FileName(PathOfUri(uri).value_or(uri)), uri, std::chrono::milliseconds(0));
}

void Server::DidChange(const json& params) {
    const json& item = params.at("textDocument");
    const std::string uri = item.at("uri").get<std::string>();
    {
        std::lock_guard lock(m_documentsMutex);
        auto found = m_documents.find(uri);
        if (found == m_documents.end())
            return;
        for (const json& change : params.at("contentChanges"))
            found->second.text.Apply(change, m_encoding);
        found->second.text.SetVersion(item.value("version", found->second.text.Version() + 1));
        found->second.snapshot = std::make_shared<const std::string>(found->second.text.Text());
    }
    ScheduleCheck(uri, m_options.debounce);
    CheckDependents(FileName(PathOfUri(uri).value_or(uri)), uri, m_options.debounce);
}

void Server::DidClose(const json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    {
        std::lock_guard lock(m_documentsMutex);
        m_documents.erase(uri);
    }
    m_checks.Cancel(uri);
    m_connection.Notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}});
    CheckDependents(FileName(PathOfUri(uri).value_or(uri)), uri, std::chrono::milliseconds(0));
}

void Server::ScheduleCheck(const std::string& uri, std::chrono::milliseconds delay) {
    m_checks.Schedule(uri, delay, [this, uri](const std::atomic<bool>& stop) { RunCheck(uri, stop); });
}

void Server::CheckAllOpen() {
    std::vector<std::string> uris;
    {
        std::lock_guard lock(m_documentsMutex);
        for (const auto& [uri, document] : m_documents)
            uris.push_back(uri);
    }
    for (const std::string& uri : uris)
        ScheduleCheck(uri, std::chrono::milliseconds(0));
}

// A document depends on a file when it names it (with or without its extension, as tech trees and
// file-typed values do) or its includes brought it in.
void Server::CheckDependents(const std::string& fileName, const std::string& except,
                             std::chrono::milliseconds delay) {
    const std::string name = textrules::FoldCase(fileName);
    const std::string stem = textrules::FoldCase(Stem(fileName));
    if (stem.empty())
        return;
    std::vector<std::string> dependents;
    {
        std::lock_guard lock(m_documentsMutex);
        for (const auto& [uri, document] : m_documents) {
            if (uri == except)
                continue;
            bool depends = textrules::FoldCase(*document.snapshot).find(stem) != std::string::npos;
            for (const auto& [path, time] : document.readFiles)
                depends = depends || textrules::FoldCase(FileName(path)) == name;
            if (depends)
                dependents.push_back(uri);
        }
    }
    for (const std::string& uri : dependents)
        ScheduleCheck(uri, delay);
}

// Included files are read from the editor where they are open, so a dependent sees unsaved text.
compiler::OdfSource Server::SourceFor(const ModFolder& folder) {
    std::map<std::string, std::shared_ptr<const std::string>> open;
    {
        std::lock_guard lock(m_documentsMutex);
        for (const auto& [uri, document] : m_documents)
            open.emplace(document.path, document.snapshot);
    }
    const compiler::GameFiles files = folder.environment->Files();
    compiler::OdfSource disk = compiler::OdfSourceFromPaths(
        [files](std::string_view name) { return files.FindOdfPath(name).value_or(std::string()); });
    return compiler::CachingOdfSource([files, open = std::move(open), disk](std::string_view name) {
        const std::optional<std::string> path = files.FindOdfPath(name);
        if (path && open.contains(*path))
            return std::make_shared<const textrules::LineList>(
                textrules::SplitDocumentLines(*open.at(*path)));
        return disk(name);
    });
}

void Server::RunCheck(const std::string& uri, const std::atomic<bool>& stop) {
    std::shared_ptr<const std::string> text;
    std::string path;
    int version = 0;
    {
        std::lock_guard lock(m_documentsMutex);
        auto found = m_documents.find(uri);
        if (found == m_documents.end())
            return;
        text = found->second.snapshot;
        path = found->second.path;
        version = found->second.text.Version();
    }
    const std::shared_ptr<ModFolder> folder = m_workspace.FolderOf(path);
    const textrules::LineList lines = textrules::SplitDocumentLines(*text);
    DocumentCheck check = CheckLines(lines, path, *folder, SourceFor(*folder), stop);
    if (check.stopped || stop)
        return;
    if (!check.failure.empty())
        m_connection.Log(path + ": " + check.failure);
    std::map<std::string, fs::file_time_type> readFiles;
    for (const std::string& name : check.includedFiles) {
        if (std::optional<std::string> file = folder->environment->FindOdfPath(name))
            readFiles.emplace(*file, ModificationTime(*file).value_or(fs::file_time_type()));
    }
    {
        std::lock_guard lock(m_documentsMutex);
        auto found = m_documents.find(uri);
        if (found == m_documents.end() || found->second.text.Version() != version)
            return;
        found->second.readFiles = std::move(readFiles);
        found->second.findings = check.findings;
    }
    Publish(uri, version, lines, check.findings, *folder);
}

void Server::Publish(const std::string& uri, int version, const textrules::LineList& lines,
                     const std::vector<compiler::Finding>& findings, const ModFolder& folder) {
    DiagnosticContext context;
    context.documentUri = uri;
    context.encoding = m_encoding;
    context.line = [&lines](std::size_t index) {
        return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
    };
    context.uriOfFile = [&folder](std::string_view name) -> std::optional<std::string> {
        std::optional<std::string> path = folder.environment->FindOdfPath(name);
        return path ? std::optional(UriOfPath(*path)) : std::nullopt;
    };
    m_connection.Notify(
        "textDocument/publishDiagnostics",
        {{"uri", uri}, {"version", version}, {"diagnostics", DiagnosticsOf(findings, context)}});
}

} // namespace varko::lsp
