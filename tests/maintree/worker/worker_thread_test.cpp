#include "varko/maintree/worker/worker_thread.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace varko::maintree {

namespace {

using namespace std::chrono_literals;

// Spins until the condition holds or a generous limit passes; true when it holds.
template <typename Condition> bool SpinFor(Condition condition) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(WorkerThread, StartDoesNothingWhileAWorkerRuns) {
    WorkerThread worker;
    std::atomic<int> calls{0};
    std::atomic<bool> release{false};
    const WorkerThread::Task task = [&](const std::atomic<bool>&) {
        ++calls;
        SpinFor([&] { return release.load(); });
    };
    QSignalSpy ended(&worker, &WorkerThread::finished);

    EXPECT_TRUE(worker.start(task));
    EXPECT_FALSE(worker.start(task));
    release = true;
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(calls.load(), 1);
    EXPECT_TRUE(worker.start(task));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_EQ(calls.load(), 2);
}

TEST(WorkerThread, StopSetsTheFlagWithoutWaiting) {
    WorkerThread worker;
    std::atomic<bool> entered{false};
    std::atomic<bool> sawStop{false};
    std::atomic<bool> leave{false};
    const WorkerThread::Task task = [&](const std::atomic<bool>& stop) {
        entered = true;
        sawStop = SpinFor([&] { return stop.load(); });
        // Still busy after seeing the request: Stop must not have waited for this.
        SpinFor([&] { return leave.load(); });
    };
    QSignalSpy ended(&worker, &WorkerThread::finished);
    worker.stop(); // without a worker: nothing
    ASSERT_TRUE(worker.start(task));
    ASSERT_TRUE(SpinFor([&] { return entered.load(); }));

    worker.stop();
    ASSERT_TRUE(SpinFor([&] { return sawStop.load(); }));
    EXPECT_TRUE(worker.running());
    leave = true;
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_FALSE(worker.running());
}

TEST(WorkerThread, RunningUntilTheEndIsHandledOnTheGuiThread) {
    WorkerThread worker;
    std::atomic<bool> done{false};
    const WorkerThread::Task task = [&](const std::atomic<bool>&) { done = true; };
    QSignalSpy ended(&worker, &WorkerThread::finished);
    ASSERT_TRUE(worker.start(task));
    ASSERT_TRUE(SpinFor([&] { return done.load(); }));
    std::this_thread::sleep_for(20ms);
    // The worker has returned, but no event has been processed yet.
    EXPECT_TRUE(worker.running());
    EXPECT_FALSE(worker.start(task));
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_FALSE(worker.running());
}

TEST(WorkerThread, EachWorkerStartsWithAClearStopFlag) {
    WorkerThread worker;
    std::atomic<bool> release{false};
    std::vector<bool> flagsAtStart;
    const WorkerThread::Task task = [&](const std::atomic<bool>& stop) {
        flagsAtStart.push_back(stop.load());
        SpinFor([&] { return stop.load() || release.load(); });
    };
    QSignalSpy ended(&worker, &WorkerThread::finished);
    ASSERT_TRUE(worker.start(task));
    worker.stop();
    ASSERT_TRUE(ended.wait(20000));

    ASSERT_TRUE(worker.start(task));
    release = true;
    ASSERT_TRUE(ended.wait(20000));
    ASSERT_EQ(flagsAtStart.size(), 2u);
    EXPECT_FALSE(flagsAtStart[1]);
}

// The receiver on the GUI thread of what the worker hands over while the owner is destroyed.
class Acknowledger : public QObject {
    Q_OBJECT

public:
    std::atomic<bool> acknowledged{false};

signals:
    void Request();

public slots:
    void Acknowledge() { acknowledged = true; }
};

TEST(WorkerThread, DestructionStopsAndWaitsWhileEventsAreProcessed) {
    Acknowledger gui;
    QObject::connect(&gui, &Acknowledger::Request, &gui, &Acknowledger::Acknowledge, Qt::QueuedConnection);
    std::atomic<bool> entered{false};
    std::atomic<bool> stopSeen{false};
    std::atomic<bool> answered{false};
    {
        WorkerThread worker;
        const WorkerThread::Task task = [&](const std::atomic<bool>& stop) {
            entered = true;
            stopSeen = SpinFor([&] { return stop.load(); });
            // Finishing needs the GUI thread: a wait that blocked it would never see this answered.
            emit gui.Request();
            answered = SpinFor([&] { return gui.acknowledged.load(); });
        };
        ASSERT_TRUE(worker.start(task));
        ASSERT_TRUE(SpinFor([&] { return entered.load(); }));
    }
    EXPECT_TRUE(stopSeen.load());
    EXPECT_TRUE(answered.load());
}

} // namespace

} // namespace varko::maintree

#include "worker_thread_test.moc"
