#pragma once

#include "varko/maintree/worker/outbox.h"
#include "varko/maintree/worker/worker_thread.h"

#include <mutex>
#include <utility>

namespace varko::maintree {

// The one way the program works in the background: a job runs on a WorkerThread with copies of
// what it reads and posts Updates to its outbox; the GUI thread takes them when `posted` or
// `finished` arrives. The first post after a take emits `posted` once, so the GUI thread gets one
// queued call however fast the job posts, and takes all that piled up in one go.
//
// Update is a value with `void append(Update&& later)`, which adds what came after it.
template <typename Update> class Worker : public WorkerThread, private Outbox<Update> {
public:
    using Job = std::function<void(const std::atomic<bool>& stop, Outbox<Update>& outbox)>;

    using WorkerThread::WorkerThread;
    // Waits for a running job while the outbox is still whole.
    ~Worker() override { close(); }

    // False, and nothing happens, while a job runs or once closed.
    bool start(Job job) {
        return WorkerThread::start(
            [this, job = std::move(job)](const std::atomic<bool>& stop) { job(stop, *this); });
    }

    // The GUI thread: everything posted since the last take.
    Update take() {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
        return std::exchange(m_waiting, Update{});
    }

private:
    void post(Update update) override {
        bool notify = false;
        {
            std::lock_guard lock(m_mutex);
            m_waiting.append(std::move(update));
            notify = !m_signalled;
            m_signalled = true;
        }
        if (notify)
            emit posted();
    }

    std::mutex m_mutex;
    Update m_waiting;
    bool m_signalled = false;
};

} // namespace varko::maintree
