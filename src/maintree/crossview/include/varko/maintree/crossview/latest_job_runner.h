#pragma once

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace varko::maintree {

// Builds what a view shows in the background, one job at a time on a thread of its own. A job works
// on copies and returns what the GUI thread then does with its result. Each post makes every
// earlier job stale, and a stale job's result is dropped whether the job still waits (it never
// runs), runs, or has finished and its result waits in the event queue.
class LatestJobRunner : public QObject {
    Q_OBJECT

public:
    // Runs on the GUI thread, for the latest job only.
    using Delivery = std::function<void()>;
    // Runs on the worker; it never touches a widget.
    using Job = std::function<Delivery()>;

    explicit LatestJobRunner(QObject* parent = nullptr);
    // Drops the waiting job and waits for the running one, whose result is dropped.
    ~LatestJobRunner() override;

    // Answers the job's generation.
    quint64 post(Job job);
    // Makes every job posted so far stale.
    void cancel();
    quint64 latest() const { return m_latest.load(); }

private:
    struct Pending {
        quint64 generation = 0;
        Job job;
    };

    struct Ready {
        quint64 generation = 0;
        Delivery delivery;
    };

    void run();
    void deliver(quint64 generation, Delivery delivery);
    Q_INVOKABLE void takeDelivery();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Pending> m_pending;
    std::optional<Ready> m_ready; // a finished job's result, for the GUI thread
    bool m_quit = false;
    std::atomic<quint64> m_latest{0};
    std::thread m_worker;
};

} // namespace varko::maintree
