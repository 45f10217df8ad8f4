#include "varko/maintree/session/serial_worker.h"

namespace varko::maintree {

SerialWorker::~SerialWorker() {
    if (!m_thread.joinable())
        return;
    m_ready.release();
    m_thread.join();
}

void SerialWorker::Post(std::function<void()> job) {
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
        if (!m_thread.joinable())
            m_thread = std::thread(&SerialWorker::Run, this);
    }
    m_ready.release();
}

// Each permit takes one job; the permit left over when the queue is empty is the one to end.
void SerialWorker::Run() {
    for (;;) {
        m_ready.acquire();
        std::function<void()> job;
        {
            std::lock_guard lock(m_mutex);
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}

} // namespace varko::maintree
