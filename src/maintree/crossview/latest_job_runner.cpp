#include "varko/maintree/crossview/latest_job_runner.h"

namespace varko::maintree {

LatestJobRunner::LatestJobRunner(QObject* parent) : QObject(parent) {
    m_worker = std::thread([this] { run(); });
}

LatestJobRunner::~LatestJobRunner() {
    cancel();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_worker.join();
}

quint64 LatestJobRunner::post(Job job) {
    const quint64 generation = m_latest.fetch_add(1) + 1;
    {
        std::lock_guard lock(m_mutex);
        m_pending = Pending{generation, std::move(job)};
    }
    m_wake.notify_one();
    return generation;
}

void LatestJobRunner::cancel() {
    m_latest.fetch_add(1);
    std::lock_guard lock(m_mutex);
    m_pending.reset();
}

void LatestJobRunner::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_pending.has_value(); });
        if (m_quit)
            return;
        Pending pending = std::move(*m_pending);
        m_pending.reset();
        lock.unlock();
        Delivery delivery = pending.job();
        if (pending.generation == m_latest.load())
            deliver(pending.generation, std::move(delivery));
        lock.lock();
    }
}

// The result waits in a mailbox under our own mutex and the queued call carries nothing, so the
// hand-over is plain to see for a thread checker. The destructor joins the worker before the
// QObject goes, and the QObject's end drops a call still queued.
void LatestJobRunner::deliver(quint64 generation, Delivery delivery) {
    {
        std::lock_guard lock(m_mutex);
        m_ready = Ready{generation, std::move(delivery)};
    }
    QMetaObject::invokeMethod(this, "takeDelivery", Qt::QueuedConnection);
}

void LatestJobRunner::takeDelivery() {
    std::optional<Ready> ready;
    {
        std::lock_guard lock(m_mutex);
        ready.swap(m_ready);
    }
    if (ready && ready->generation == m_latest.load() && ready->delivery)
        ready->delivery();
}

} // namespace varko::maintree
