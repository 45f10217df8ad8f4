#pragma once

#include "varko/maintree/worker/outbox.h"
#include "varko/maintree/worker/worker_thread.h"

#include <utility>

namespace varko::maintree {

// A WorkerThread whose jobs post Updates to an outbox; the GUI thread takes them when `posted` or
// `finished` arrives. The first post after a take emits `posted` once, so the GUI thread gets one
// queued call however fast the job posts, and takes all that piled up in one go. What a stale job
// posts is dropped, and a cancel empties the mailbox.
//
// Update is a value with `void append(Update&& later)`, which adds what came after it
// (LatestResult keeps the newest).
template <typename Update> class Worker : public WorkerThread {
public:
    using Job = std::function<void(const std::atomic<bool>& stop, Outbox<Update>& outbox)>;

    using WorkerThread::WorkerThread;
    // Waits for a running job while the mailbox is still whole.
    ~Worker() override { close(); }

    quint64 start(Job job) {
        if (!job)
            return 0;
        return startTask([this, job = std::move(job)](const std::atomic<bool>& stop, quint64 generation) {
            JobOutbox outbox(*this, generation);
            job(stop, outbox);
        });
    }

    // The GUI thread: everything posted since the last take.
    Update take() {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
        return std::exchange(m_waiting, Update{});
    }

private:
    class JobOutbox final : public Outbox<Update> {
    public:
        JobOutbox(Worker& worker, quint64 generation) : m_worker(worker), m_generation(generation) {}
        void post(Update update) override { m_worker.postFrom(m_generation, std::move(update)); }

    private:
        Worker& m_worker;
        quint64 m_generation;
    };

    void postFrom(quint64 generation, Update update) {
        {
            std::lock_guard lock(m_mutex);
            if (!isCurrent(generation))
                return;
            m_waiting.append(std::move(update));
            if (std::exchange(m_signalled, true))
                return;
        }
        emit posted();
    }

    void dropPosted() override { m_waiting = Update{}; }

    Update m_waiting;
    bool m_signalled = false;
};

} // namespace varko::maintree
