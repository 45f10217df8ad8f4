#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <semaphore>
#include <thread>

namespace varko::maintree {

// Runs jobs one after another, in the order posted, on a thread of its own that starts with the
// first job. Jobs are handed over through a queue guarded by a std::mutex; a semaphore counts them.
class SerialWorker {
public:
    SerialWorker() = default;
    // Runs the jobs already posted, then ends the thread.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    void Post(std::function<void()> job);

private:
    void Run();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_jobs;
    // One permit per job, and one more to end.
    std::counting_semaphore<> m_ready{0};
    std::thread m_thread;
};

} // namespace varko::maintree
