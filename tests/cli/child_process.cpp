#include "child_process.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void ExecChild(char* const* argv, char* const* envp, const char* workingDirectory, int outFd,
                            int errFd) {
    // A group of its own, so that a timeout ends whatever the child started as well.
    ::setpgid(0, 0);
    int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0 || ::dup2(devNull, STDIN_FILENO) < 0 || ::dup2(outFd, STDOUT_FILENO) < 0 ||
        ::dup2(errFd, STDERR_FILENO) < 0)
        ::_exit(126);
    if (workingDirectory[0] != '\0' && ::chdir(workingDirectory) != 0)
        ::_exit(126);
    ::execve(argv[0], argv, envp);
    ::_exit(127);
}

// Reads what is ready on the open pipes until both close or the deadline passes; each pipe closed
// on the way is set to -1.
bool DrainPipes(std::array<int, 2>& fds, std::array<std::string*, 2> sinks, Clock::time_point deadline) {
    char buffer[65536];
    while (fds[0] >= 0 || fds[1] >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd polls[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (::poll(polls, 2, static_cast<int>(left)) < 0 && errno != EINTR)
            return false;
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0 || polls[i].revents == 0)
                continue;
            ssize_t got = ::read(fds[i], buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(fds[i]);
                fds[i] = -1;
            }
        }
    }
    return true;
}

// This process's environment with the given entries replacing those of the same name.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& changes) {
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text(*entry);
        bool replaced = std::any_of(changes.begin(), changes.end(), [&](const std::string& change) {
            return nameOf(change) == nameOf(text);
        });
        if (!replaced)
            entries.push_back(std::move(text));
    }
    entries.insert(entries.end(), changes.begin(), changes.end());
    return entries;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const std::string& text : texts)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

void CloseAll(std::array<int, 2> fds) {
    for (int fd : fds) {
        if (fd >= 0)
            ::close(fd);
    }
}

void RecordExit(int status, const rusage& usage, ChildRun& run) {
    run.peakRssKb = usage.ru_maxrss;
    if (WIFEXITED(status))
        run.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
}

// Waits for the child to end, up to the deadline; false when it is still running then.
bool WaitUntil(pid_t pid, Clock::time_point deadline, ChildRun& run) {
    for (;;) {
        int status = 0;
        rusage usage{};
        pid_t ended = ::wait4(pid, &status, WNOHANG, &usage);
        if (ended == pid) {
            RecordExit(status, usage, run);
            return true;
        }
        if (ended < 0 && errno != EINTR)
            return true; // nothing left to wait for
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options) {
    std::vector<char*> args = Pointers(argv);
    const std::vector<std::string> environment = ChildEnvironment(options.environment);
    std::vector<char*> envp = Pointers(environment);

    ChildRun run;
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0)
        return run;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        CloseAll({outPipe[0], outPipe[1]});
        return run;
    }
    pid_t pid = ::fork();
    if (pid == 0)
        ExecChild(args.data(), envp.data(), options.workingDirectory.c_str(), outPipe[1], errPipe[1]);
    CloseAll({outPipe[1], errPipe[1]});
    if (pid < 0) {
        CloseAll({outPipe[0], errPipe[0]});
        return run;
    }
    ::setpgid(pid, pid); // also here, so that the group exists before a timeout can come

    const Clock::time_point deadline = Clock::now() + options.timeout;
    std::array<int, 2> readEnds{outPipe[0], errPipe[0]};
    const bool drained = DrainPipes(readEnds, {&run.out, &run.err}, deadline);
    CloseAll(readEnds);
    run.timedOut = !drained || !WaitUntil(pid, deadline, run);
    if (run.timedOut) {
        ::kill(-pid, SIGKILL);
        WaitUntil(pid, Clock::time_point::max(), run);
    }
    return run;
}

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}
