#include "varko/maintree/worker/worker_thread.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace varko::maintree {

WorkerThread::WorkerThread(QObject* parent) : QObject(parent) {}

WorkerThread::~WorkerThread() {
    close();
}

bool WorkerThread::start(Task task) {
    if (m_running || m_closing || !task)
        return false;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_running = true;
    m_thread = std::thread([this, task = std::move(task), stop = m_stop] {
        task(*stop);
        // The task's end reaches the GUI thread after everything the task posted.
        QMetaObject::invokeMethod(this, &WorkerThread::onTaskReturned, Qt::QueuedConnection);
    });
    return true;
}

void WorkerThread::stop() {
    if (m_running)
        m_stop->store(true);
}

void WorkerThread::close() {
    m_closing = true;
    stop();
    if (m_running && QCoreApplication::instance()) {
        QEventLoop loop;
        connect(this, &WorkerThread::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // Without an event loop to deliver the end, or when it came but was never handled.
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
}

void WorkerThread::onTaskReturned() {
    // The task has nothing left to do but return from its thread function.
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
    emit finished();
}

} // namespace varko::maintree
