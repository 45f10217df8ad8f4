#pragma once

#include "varko/lsp/connection.h"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace varko::lsp {

// Routes each message by its method through a table, and keeps the protocol's rules of the
// server's life: nothing but initialize before it, nothing but exit after shutdown, every request
// answered once, unknown requests MethodNotFound, unknown "$/" notifications ignored.
class Dispatcher {
public:
    // Answers through the Reply, now or later from any thread; may throw RpcError, or a JSON error
    // for parameters of the wrong shape (answered InvalidParams).
    using RequestHandler = std::function<void(const json& params, Reply reply)>;
    using NotificationHandler = std::function<void(const json& params)>;

    explicit Dispatcher(Connection& connection);

    void OnRequest(std::string method, RequestHandler handler);
    void OnNotification(std::string method, NotificationHandler handler);

    // Marks a request cancelled, whether it is running, answered or not yet read by Dispatch; safe
    // from the reading thread.
    void Cancel(const json& id);

    enum class Outcome { Continue, Exit };
    // One message's bytes; Exit after an exit notification.
    Outcome Dispatch(std::string_view body);

    bool ShutDown() const { return m_state == State::ShutDown; }
    // 0 after shutdown, 1 without it.
    int ExitStatus() const { return ShutDown() ? 0 : 1; }

private:
    enum class State { Starting, Running, ShutDown };

    void DispatchRequest(const std::string& method, const json& id, const json& params);
    void DispatchNotification(const std::string& method, const json& params);
    bool TakeEarlyCancel(const json& id);
    void Forget(const json& id);

    Connection& m_connection;
    State m_state = State::Starting;
    std::map<std::string, RequestHandler, std::less<>> m_requests;
    std::map<std::string, NotificationHandler, std::less<>> m_notifications;

    std::mutex m_mutex;                     // guards what follows
    std::map<std::string, Reply> m_running; // by the id's JSON text
    std::set<std::string> m_cancelledEarly; // cancelled before Dispatch saw them
};

} // namespace varko::lsp
