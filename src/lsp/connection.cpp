#include "varko/lsp/connection.h"

#include <iostream>

namespace varko::lsp {

void Connection::Notify(const std::string& method, json params) {
    m_writer.Write({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

void Connection::Request(const std::string& method, json params, ResponseHandler onResponse) {
    long long id = 0;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextId++;
        m_waiting.emplace(id, std::move(onResponse));
    }
    m_writer.Write({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}});
}

void Connection::Reply(const json& id, json result) {
    m_writer.Write({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Connection::ReplyError(const json& id, const RpcError& error) {
    m_writer.Write(
        {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", error.code}, {"message", error.message}}}});
}

void Connection::TakeResponse(const json& message) {
    const json& id = message.at("id");
    if (!id.is_number_integer())
        return;
    ResponseHandler handler;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_waiting.find(id.get<long long>());
        if (found == m_waiting.end())
            return;
        handler = std::move(found->second);
        m_waiting.erase(found);
    }
    const auto error = message.find("error");
    const auto result = message.find("result");
    handler(result != message.end() ? *result : json(), error != message.end() ? &*error : nullptr);
}

void Connection::ShowMessage(int type, const std::string& text) {
    Log(text);
    Notify("window/showMessage", {{"type", type}, {"message", text}});
}

void Connection::Log(const std::string& text) const {
    std::cerr << "varko-lsp: " << text << '\n' << std::flush;
}

Reply::Reply(Connection& connection, json id) : m_state(new State{connection, std::move(id)}) {}

void Reply::Result(json result) {
    if (m_state->done.exchange(true))
        return;
    if (m_state->cancelled)
        m_state->connection.ReplyError(m_state->id, {rpc::kRequestCancelled, "Request cancelled"});
    else
        m_state->connection.Reply(m_state->id, std::move(result));
}

void Reply::Error(const RpcError& error) {
    if (m_state->done.exchange(true))
        return;
    m_state->connection.ReplyError(
        m_state->id, m_state->cancelled ? RpcError{rpc::kRequestCancelled, "Request cancelled"} : error);
}

} // namespace varko::lsp
