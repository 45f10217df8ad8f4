#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The real varko-lsp as a child process, spoken to over its pipes as an editor would. Requests of
// the server are answered with the result set for their method, or null.
class LspProcess {
public:
    using json = nlohmann::json;

    explicit LspProcess(std::vector<std::string> argv);
    ~LspProcess();
    LspProcess(const LspProcess&) = delete;
    LspProcess& operator=(const LspProcess&) = delete;

    void SendRaw(const std::string& bytes);
    void Send(const json& message);
    int Request(const std::string& method, json params);
    void Notify(const std::string& method, json params);

    // The first message the predicate takes, within the timeout; the others are kept in `seen`.
    std::optional<json> WaitFor(const std::function<bool(const json&)>& accept,
                                std::chrono::milliseconds timeout = std::chrono::seconds(20));
    json Response(int id);
    // The next diagnostics published for the URI.
    json Diagnostics(const std::string& uri);

    void CloseInput();
    // The exit status, or -1 when it did not end in time (it is then killed).
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    std::map<std::string, json> answers; // by method of the server's requests
    std::vector<json> seen;              // every message read, in order
    std::string errors;                  // what it wrote to stderr

private:
    bool ReadSome(std::chrono::milliseconds timeout);
    std::optional<json> NextBuffered();

    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_buffer;
    std::size_t m_taken = 0; // messages of `seen` already handed to WaitFor
    int m_nextId = 1;
};

// Frames a body as the base protocol does.
std::string Framed(const std::string& body);
