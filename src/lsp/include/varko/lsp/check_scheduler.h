#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varko::lsp {

// Runs jobs on a few worker threads, each under a key (a document's URI) after a delay. A job
// scheduled for a key replaces the one waiting under it and stops the one running under it, so a
// newer version of a document cancels the check of an older one.
class CheckScheduler {
public:
    using Job = std::function<void(const std::atomic<bool>& stop)>;

    explicit CheckScheduler(int workers);
    ~CheckScheduler(); // stops every job and waits for the workers
    CheckScheduler(const CheckScheduler&) = delete;
    CheckScheduler& operator=(const CheckScheduler&) = delete;

    void Schedule(const std::string& key, std::chrono::milliseconds delay, Job job);
    // Drops the waiting job and stops the running one.
    void Cancel(const std::string& key);
    // Waits until no job waits or runs; for tests and benchmarks.
    void WaitIdle();

private:
    using Clock = std::chrono::steady_clock;
    struct Waiting {
        Clock::time_point due;
        Job job;
    };

    void Work();
    void StopRunning(const std::string& key);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Waiting> m_waiting;
    std::multimap<std::string, std::shared_ptr<std::atomic<bool>>> m_running;
    bool m_quit = false;
    std::vector<std::thread> m_workers;
};

} // namespace varko::lsp
