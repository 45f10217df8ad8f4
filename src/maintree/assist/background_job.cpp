#include "varko/maintree/assist/background_job.h"

namespace varko::maintree {

BackgroundJob::BackgroundJob() {
    m_pool.setMaxThreadCount(1);
}

BackgroundJob::~BackgroundJob() {
    m_pool.clear();
    stop();
    m_pool.waitForDone();
}

void BackgroundJob::start(Work work) {
    auto flag = std::make_shared<std::atomic<bool>>(false);
    m_stop = flag;
    m_pool.start([flag, work = std::move(work)] { work(*flag); });
}

void BackgroundJob::stop() {
    if (m_stop)
        m_stop->store(true);
}

void BackgroundJob::waitForDone() {
    m_pool.waitForDone();
}

} // namespace varko::maintree
