#include "varko/lsp/message_loop.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace varko::lsp {

namespace {

// What the reader hands over; nullopt marks the end of the input.
class MessageQueue {
public:
    void Push(std::optional<std::string> body) {
        {
            std::lock_guard lock(m_mutex);
            m_messages.push_back(std::move(body));
        }
        m_ready.notify_one();
    }
    std::optional<std::string> Pop() {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_messages.empty(); });
        std::optional<std::string> body = std::move(m_messages.front());
        m_messages.pop_front();
        return body;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::optional<std::string>> m_messages;
};

void NoteCancel(const std::string& body, Dispatcher& dispatcher) {
    if (body.find("$/cancelRequest") == std::string::npos)
        return;
    const json message = json::parse(body, nullptr, false);
    if (message.is_object() && message.value("method", "") == "$/cancelRequest" &&
        message.contains("params") && message["params"].is_object() && message["params"].contains("id"))
        dispatcher.Cancel(message["params"]["id"]);
}

void ReadAll(std::istream& in, MessageQueue& queue, Dispatcher& dispatcher, Connection& connection) {
    for (;;) {
        ReadResult read = ReadMessage(in);
        if (!read.problem.empty())
            connection.Log(read.problem);
        if (read.status == ReadStatus::End)
            break;
        if (read.status == ReadStatus::Skipped)
            continue;
        NoteCancel(read.body, dispatcher);
        queue.Push(std::move(read.body));
    }
    queue.Push(std::nullopt);
}

} // namespace

int RunMessageLoop(std::istream& in, Dispatcher& dispatcher, Connection& connection) {
    auto queue = std::make_shared<MessageQueue>();
    // The reader may be blocked in a read when exit arrives; it is left to end with the process.
    std::thread reader(
        [&in, queue, &dispatcher, &connection] { ReadAll(in, *queue, dispatcher, connection); });
    for (;;) {
        std::optional<std::string> body = queue->Pop();
        if (!body)
            break;
        if (dispatcher.Dispatch(*body) == Dispatcher::Outcome::Exit) {
            reader.detach();
            return dispatcher.ExitStatus();
        }
    }
    reader.join();
    return dispatcher.ExitStatus();
}

} // namespace varko::lsp
