#pragma once

#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

namespace varko::maintree {

// One job at a time on a thread of its own. A job works on copies, polls its stop flag and hands
// its result to the GUI thread itself (a queued call on its owner); it never touches a widget.
// A job started while another runs waits for it.
class BackgroundJob {
public:
    using Work = std::function<void(const std::atomic<bool>& stop)>;

    BackgroundJob();
    // Stops the job and waits for it; jobs stop at their next poll of the flag.
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    void start(Work work);
    // Asks the latest job to stop and returns at once.
    void stop();
    void waitForDone();

private:
    // One flag per job, so a new job never sees the request meant for the one before.
    std::shared_ptr<std::atomic<bool>> m_stop;
    QThreadPool m_pool;
};

} // namespace varko::maintree
