#include "varko/lsp/dispatcher.h"

namespace varko::lsp {

namespace {

// Cancellations of requests never seen are kept only this long, so the set cannot grow without end.
constexpr std::size_t kMaxEarlyCancels = 1024;

bool IsValidId(const json& id) {
    return id.is_number_integer() || id.is_string();
}

} // namespace

Dispatcher::Dispatcher(Connection& connection) : m_connection(connection) {}

void Dispatcher::OnRequest(std::string method, RequestHandler handler) {
    m_requests.insert_or_assign(std::move(method), std::move(handler));
}

void Dispatcher::OnNotification(std::string method, NotificationHandler handler) {
    m_notifications.insert_or_assign(std::move(method), std::move(handler));
}

void Dispatcher::Cancel(const json& id) {
    if (!IsValidId(id))
        return;
    std::lock_guard lock(m_mutex);
    auto running = m_running.find(id.dump());
    if (running != m_running.end()) {
        running->second.Cancel();
        return;
    }
    if (m_cancelledEarly.size() >= kMaxEarlyCancels)
        m_cancelledEarly.erase(m_cancelledEarly.begin());
    m_cancelledEarly.insert(id.dump());
}

bool Dispatcher::TakeEarlyCancel(const json& id) {
    std::lock_guard lock(m_mutex);
    return m_cancelledEarly.erase(id.dump()) > 0;
}

void Dispatcher::Forget(const json& id) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_running, [](const auto& entry) { return entry.second.Done(); });
    (void)id;
}

Dispatcher::Outcome Dispatcher::Dispatch(std::string_view body) {
    json message;
    try {
        message = json::parse(body);
    } catch (const json::exception& error) {
        m_connection.ReplyError(nullptr, {rpc::kParseError, std::string("Parse error: ") + error.what()});
        return Outcome::Continue;
    }
    const auto method = message.is_object() ? message.find("method") : message.end();
    const auto id = message.is_object() ? message.find("id") : message.end();
    if (method == message.end() && id != message.end() &&
        (message.contains("result") || message.contains("error"))) {
        m_connection.TakeResponse(message);
        return Outcome::Continue;
    }
    const bool validId = id == message.end() || IsValidId(*id);
    if (method == message.end() || !method->is_string() || !validId) {
        m_connection.ReplyError(validId && id != message.end() ? *id : json(),
                                {rpc::kInvalidRequest, "Invalid request"});
        return Outcome::Continue;
    }
    const json params = message.value("params", json::object());
    if (id != message.end()) {
        DispatchRequest(method->get<std::string>(), *id, params);
        return Outcome::Continue;
    }
    if (*method == "exit")
        return Outcome::Exit;
    DispatchNotification(method->get<std::string>(), params);
    return Outcome::Continue;
}

void Dispatcher::DispatchRequest(const std::string& method, const json& id, const json& params) {
    if (TakeEarlyCancel(id))
        return m_connection.ReplyError(id, {rpc::kRequestCancelled, "Request cancelled"});
    if (m_state == State::Starting && method != "initialize")
        return m_connection.ReplyError(id, {rpc::kServerNotInitialized, "The server is not initialized"});
    if (m_state != State::Starting && method == "initialize")
        return m_connection.ReplyError(id, {rpc::kInvalidRequest, "The server is already initialized"});
    if (m_state == State::ShutDown)
        return m_connection.ReplyError(id, {rpc::kInvalidRequest, "The server is shutting down"});
    const auto handler = m_requests.find(method);
    if (handler == m_requests.end())
        return m_connection.ReplyError(id, {rpc::kMethodNotFound, "Unknown method " + method});
    Reply reply(m_connection, id);
    {
        std::lock_guard lock(m_mutex);
        m_running.insert_or_assign(id.dump(), reply);
    }
    try {
        handler->second(params, reply);
    } catch (const RpcError& error) {
        reply.Error(error);
    } catch (const json::exception& error) {
        reply.Error({rpc::kInvalidParams, std::string("Invalid params: ") + error.what()});
    } catch (const std::exception& error) {
        reply.Error({rpc::kInternalError, error.what()});
    }
    if (method == "initialize" && reply.Done())
        m_state = State::Running;
    if (method == "shutdown")
        m_state = State::ShutDown;
    Forget(id);
}

void Dispatcher::DispatchNotification(const std::string& method, const json& params) {
    if (m_state != State::Running)
        return;
    const auto handler = m_notifications.find(method);
    if (handler == m_notifications.end()) {
        if (!method.starts_with("$/"))
            m_connection.Log("unknown notification " + method + " ignored");
        return;
    }
    try {
        handler->second(params);
    } catch (const std::exception& error) {
        m_connection.Log(method + ": " + error.what());
    }
}

} // namespace varko::lsp
