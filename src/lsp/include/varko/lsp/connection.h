#pragma once

#include "varko/lsp/framing.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace varko::lsp {

using nlohmann::json;

namespace rpc {
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;
inline constexpr int kRequestCancelled = -32800;
} // namespace rpc

// A failure a request handler answers with.
struct RpcError {
    int code = rpc::kInternalError;
    std::string message;
};

// The server's side of the wire: notifications and requests to the client, and the answers to
// the client's requests. Safe from any thread.
class Connection {
public:
    using ResponseHandler = std::function<void(const json& result, const json* error)>;

    explicit Connection(MessageWriter& writer) : m_writer(writer) {}

    void Notify(const std::string& method, json params);
    void Request(const std::string& method, json params, ResponseHandler onResponse);
    void Reply(const json& id, json result);
    void ReplyError(const json& id, const RpcError& error);
    // An answer of the client to one of our requests.
    void TakeResponse(const json& message);

    void ShowMessage(int type, const std::string& text);
    void Log(const std::string& text) const; // standard error only

private:
    MessageWriter& m_writer;
    std::mutex m_mutex;
    long long m_nextId = 1;
    std::map<long long, ResponseHandler> m_waiting;
};

// One request's answer, given once, from whichever thread finishes it; a request the client
// cancelled meanwhile is answered with RequestCancelled instead.
class Reply {
public:
    Reply(Connection& connection, json id);
    void Result(json result);
    void Error(const RpcError& error);
    bool Cancelled() const { return m_state->cancelled; }
    const json& Id() const { return m_state->id; }
    void Cancel() { m_state->cancelled = true; }
    bool Done() const { return m_state->done; }

private:
    struct State {
        Connection& connection;
        json id;
        std::atomic<bool> cancelled{false};
        std::atomic<bool> done{false};
    };
    std::shared_ptr<State> m_state;
};

} // namespace varko::lsp
