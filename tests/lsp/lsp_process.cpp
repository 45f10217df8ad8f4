#include "lsp_process.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

LspProcess::LspProcess(std::vector<std::string> argv) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    m_in = in[1];
    m_out = out[0];
    m_err = err[0];
    ::signal(SIGPIPE, SIG_IGN);
}

LspProcess::~LspProcess() {
    CloseInput();
    if (m_pid > 0 && Wait(std::chrono::seconds(5)) < 0)
        ::waitpid(m_pid, nullptr, 0);
    for (int fd : {m_out, m_err})
        if (fd >= 0)
            ::close(fd);
}

void LspProcess::SendRaw(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size() && m_in >= 0) {
        const ssize_t wrote = ::write(m_in, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0)
            return;
        done += static_cast<std::size_t>(wrote);
    }
}

void LspProcess::Send(const json& message) {
    SendRaw(Framed(message.dump()));
}

int LspProcess::Request(const std::string& method, json params) {
    const int id = m_nextId++;
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}});
    return id;
}

void LspProcess::Notify(const std::string& method, json params) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

bool LspProcess::ReadSome(std::chrono::milliseconds timeout) {
    pollfd polls[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (::poll(polls, 2, static_cast<int>(timeout.count())) <= 0)
        return false;
    char chunk[65536];
    bool any = false;
    for (int i = 0; i < 2; ++i) {
        if (polls[i].revents == 0 || polls[i].fd < 0)
            continue;
        const ssize_t got = ::read(polls[i].fd, chunk, sizeof chunk);
        if (got > 0) {
            (i == 0 ? m_buffer : errors).append(chunk, static_cast<std::size_t>(got));
            any = true;
        } else {
            ::close(polls[i].fd);
            (i == 0 ? m_out : m_err) = -1;
        }
    }
    return any || m_out >= 0;
}

std::optional<nlohmann::json> LspProcess::NextBuffered() {
    const std::size_t headerEnd = m_buffer.find("\r\n\r\n");
    if (headerEnd == std::string::npos)
        return std::nullopt;
    const std::size_t length = std::stoul(m_buffer.substr(m_buffer.find(':') + 1, headerEnd));
    if (m_buffer.size() < headerEnd + 4 + length)
        return std::nullopt;
    json message = json::parse(m_buffer.substr(headerEnd + 4, length));
    m_buffer.erase(0, headerEnd + 4 + length);
    if (message.contains("method") && message.contains("id")) {
        const std::string method = message["method"];
        Send({{"jsonrpc", "2.0"},
              {"id", message["id"]},
              {"result", answers.contains(method) ? answers[method] : json()}});
    }
    return message;
}

std::optional<nlohmann::json> LspProcess::WaitFor(const std::function<bool(const json&)>& accept,
                                                  std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (; m_taken < seen.size(); ++m_taken) {
            if (accept(seen[m_taken]))
                return seen[m_taken++];
        }
        if (std::optional<json> message = NextBuffered()) {
            seen.push_back(std::move(*message));
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || (m_out < 0 && m_buffer.empty()) || (!ReadSome(left) && m_out < 0))
            return std::nullopt;
    }
}

nlohmann::json LspProcess::Response(int id) {
    std::optional<json> response =
        WaitFor([id](const json& m) { return !m.contains("method") && m.value("id", json()) == id; });
    return response.value_or(json());
}

nlohmann::json LspProcess::Diagnostics(const std::string& uri) {
    std::optional<json> published = WaitFor([&](const json& m) {
        return m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri;
    });
    return published ? (*published)["params"]["diagnostics"] : json();
}

void LspProcess::CloseInput() {
    if (m_in >= 0)
        ::close(m_in);
    m_in = -1;
}

int LspProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    while (Clock::now() < deadline) {
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        ReadSome(std::chrono::milliseconds(20));
    }
    ::kill(m_pid, SIGKILL);
    return -1;
}
