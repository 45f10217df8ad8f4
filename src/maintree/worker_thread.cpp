#include "varko/maintree/worker_thread.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace varko::maintree {

WorkerThread::WorkerThread(QObject* parent) : QObject(parent) {
    connect(this, &WorkerThread::WorkerReturned, this, &WorkerThread::OnWorkerReturned, Qt::QueuedConnection);
}

WorkerThread::~WorkerThread() {
    Close();
}

bool WorkerThread::Start() {
    if (m_running || m_closing || !m_onExecute)
        return false;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_running = true;
    m_thread = std::thread([this, handler = m_onExecute, stop = m_stop] {
        handler(*stop);
        emit WorkerReturned();
    });
    return true;
}

void WorkerThread::Stop() {
    if (m_running)
        m_stop->store(true);
}

void WorkerThread::Close() {
    m_closing = true;
    Stop();
    if (m_running && QCoreApplication::instance()) {
        QEventLoop loop;
        connect(this, &WorkerThread::Ended, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // Without an event loop to deliver the end, or when it came but was never handled.
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
}

void WorkerThread::OnWorkerReturned() {
    // The worker has nothing left to do but return from its thread function.
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
    emit Ended();
}

} // namespace varko::maintree
