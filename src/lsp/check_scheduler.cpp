#include "varko/lsp/check_scheduler.h"

namespace varko::lsp {

CheckScheduler::CheckScheduler(int workers) {
    for (int i = 0; i < workers; ++i)
        m_workers.emplace_back([this] { Work(); });
}

CheckScheduler::~CheckScheduler() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_waiting.clear();
        for (auto& [key, stop] : m_running)
            *stop = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void CheckScheduler::StopRunning(const std::string& key) {
    auto [first, last] = m_running.equal_range(key);
    for (auto it = first; it != last; ++it)
        *it->second = true;
}

void CheckScheduler::Schedule(const std::string& key, std::chrono::milliseconds delay, Job job) {
    {
        std::lock_guard lock(m_mutex);
        StopRunning(key);
        m_waiting.insert_or_assign(key, Waiting{Clock::now() + delay, std::move(job)});
    }
    m_changed.notify_all();
}

void CheckScheduler::Cancel(const std::string& key) {
    std::lock_guard lock(m_mutex);
    StopRunning(key);
    m_waiting.erase(key);
}

void CheckScheduler::WaitIdle() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_quit || (m_waiting.empty() && m_running.empty()); });
}

void CheckScheduler::Work() {
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (m_waiting.empty()) {
            m_changed.wait(lock);
            continue;
        }
        auto next = m_waiting.begin();
        for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it) {
            if (it->second.due < next->second.due)
                next = it;
        }
        if (next->second.due > Clock::now()) {
            m_changed.wait_until(lock, next->second.due);
            continue;
        }
        const std::string key = next->first;
        Job job = std::move(next->second.job);
        m_waiting.erase(next);
        auto stop = std::make_shared<std::atomic<bool>>(false);
        auto running = m_running.emplace(key, stop);
        lock.unlock();
        try {
            job(*stop);
        } catch (...) {
            // A job reports its own failures; one that escapes must not end the worker.
        }
        job = nullptr;
        lock.lock();
        m_running.erase(running);
        m_changed.notify_all();
    }
}

} // namespace varko::lsp
