#include "crossview_fixture.h"
#include "varko/maintree/crossview/latest_job_runner.h"

#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace varko::maintree {
namespace {

// What a test saw of its jobs: which ran on the worker, whose results reached the GUI thread.
struct Record {
    std::atomic<int> ran{0};
    QStringList delivered;
};

LatestJobRunner::Job Job(Record& record, const QString& name, std::function<void()> before = {}) {
    return [&record, name, before = std::move(before)]() -> LatestJobRunner::Delivery {
        if (before)
            before();
        ++record.ran;
        return [&record, name] { record.delivered << name; };
    };
}

// Waits, taking events, until the jobs ran (five seconds at most), and a moment more for results.
void Settle(const Record& record, int runs) {
    for (int i = 0; i < 500 && record.ran.load() < runs; ++i)
        QTest::qWait(10);
    QTest::qWait(50);
}

using Steps = std::function<void(LatestJobRunner&, Record&, const testing::Gate&)>;

// Holds the first job at the gate and runs the rest of the steps while it waits there.
Steps WhileHeld(std::function<void(LatestJobRunner&, Record&)> then) {
    return [then](LatestJobRunner& runner, Record& record, const testing::Gate& gate) {
        runner.post(Job(record, "held", gate.Waiter()));
        ASSERT_TRUE(gate.WaitUntilReached());
        then(runner, record);
        gate.Release();
    };
}

// A job goes stale at any stage; whichever, only the newest result is delivered.
TEST(LatestJobRunner, OnlyTheNewestResultIsDelivered) {
    const struct {
        const char* name;
        Steps steps;
        int runs; // jobs that ran on the worker
        QStringList delivered;
    } cases[] = {
        {"a job posted while an older one runs",
         WhileHeld([](LatestJobRunner& runner, Record& record) { runner.post(Job(record, "new")); }),
         2,
         {"new"}},
        {"a job that still waits is replaced and never runs",
         WhileHeld([](LatestJobRunner& runner, Record& record) {
             runner.post(Job(record, "waiting"));
             runner.post(Job(record, "newest"));
         }),
         2,
         {"newest"}},
        {"a result already queued for the GUI thread",
         [](LatestJobRunner& runner, Record& record, const testing::Gate& gate) {
             runner.post(Job(record, "queued"));
             // The GUI thread takes no event meanwhile, so the finished job's result stays queued.
             while (record.ran.load() == 0)
                 std::this_thread::sleep_for(std::chrono::milliseconds(1));
             std::this_thread::sleep_for(std::chrono::milliseconds(50));
             runner.post(Job(record, "newer", gate.Waiter()));
             ASSERT_TRUE(gate.WaitUntilReached());
             QTest::qWait(50); // the queued result arrives while the newer job runs
             gate.Release();
         },
         2,
         {"newer"}},
        {"cancel drops the running job and the waiting one",
         WhileHeld([](LatestJobRunner& runner, Record& record) {
             runner.post(Job(record, "waiting"));
             runner.cancel();
         }),
         1,
         {}},
        {"a job after a cancel runs",
         [](LatestJobRunner& runner, Record& record, const testing::Gate&) {
             runner.cancel();
             runner.post(Job(record, "after"));
         },
         1,
         {"after"}},
    };
    for (const auto& c : cases) {
        Record record;
        LatestJobRunner runner;
        const testing::Gate gate;
        c.steps(runner, record, gate);
        Settle(record, c.runs);
        EXPECT_EQ(record.ran.load(), c.runs) << c.name;
        EXPECT_EQ(record.delivered, c.delivered) << c.name;
    }
}

// The owner goes while its job runs: the job finishes on copies, its result never arrives.
TEST(LatestJobRunner, DestroyedWhileAJobRuns) {
    Record record;
    const testing::Gate gate;
    std::thread releaser;
    {
        LatestJobRunner runner;
        runner.post(Job(record, "orphan", gate.Waiter()));
        ASSERT_TRUE(gate.WaitUntilReached());
        releaser = std::thread([&gate] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            gate.Release();
        });
    }
    releaser.join();
    EXPECT_EQ(record.ran.load(), 1) << "the destructor waited for the running job";
    QTest::qWait(50);
    EXPECT_TRUE(record.delivered.isEmpty());
}

} // namespace
} // namespace varko::maintree
