#include "varko/maintree/worker/worker_thread.h"

namespace varko::maintree {

WorkerThread::WorkerThread(QObject* parent) : QObject(parent) {}

WorkerThread::~WorkerThread() {
    close();
}

quint64 WorkerThread::start(Task task) {
    if (!task)
        return 0;
    return startTask([task = std::move(task)](const std::atomic<bool>& stop, quint64) { task(stop); });
}

quint64 WorkerThread::startTask(GenerationTask task) {
    quint64 generation = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_quit)
            return 0;
        generation = makeStale();
        m_stop = std::make_shared<std::atomic<bool>>(false);
        m_waiting = Waiting{generation, std::move(task), m_stop};
        // The thread starts with the first task and lives as long as this object.
        if (!m_thread.joinable())
            m_thread = std::thread(&WorkerThread::run, this);
    }
    m_running = true;
    m_wake.notify_one();
    return generation;
}

void WorkerThread::stop() {
    std::lock_guard lock(m_mutex);
    if (m_stop)
        m_stop->store(true);
}

void WorkerThread::cancel() {
    {
        std::lock_guard lock(m_mutex);
        makeStale();
    }
    m_running = false;
}

quint64 WorkerThread::makeStale() {
    if (m_stop)
        m_stop->store(true);
    m_waiting.reset();
    dropPosted();
    return ++m_generation;
}

void WorkerThread::close() {
    {
        std::lock_guard lock(m_mutex);
        makeStale();
        m_quit = true;
    }
    m_running = false;
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void WorkerThread::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_waiting.has_value(); });
        if (m_quit)
            return;
        Waiting next = std::move(*m_waiting);
        m_waiting.reset();
        lock.unlock();
        next.task(*next.stop, next.generation);
        // Queued after everything the task posted, so the end reaches the GUI thread last.
        QMetaObject::invokeMethod(
            this, [this, generation = next.generation] { taskReturned(generation); }, Qt::QueuedConnection);
        lock.lock();
    }
}

void WorkerThread::taskReturned(quint64 generation) {
    {
        std::lock_guard lock(m_mutex);
        if (!isCurrent(generation))
            return;
    }
    m_running = false;
    emit finished();
}

} // namespace varko::maintree
