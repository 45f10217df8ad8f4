#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace varko::maintree {

namespace {

using namespace std::chrono_literals;

// Numbers in the order jobs posted them.
struct Numbers {
    std::vector<int> values;

    void append(Numbers&& later) { values.insert(values.end(), later.values.begin(), later.values.end()); }
};

std::vector<int> Count(int from, int to) {
    std::vector<int> values;
    for (int i = from; i <= to; ++i)
        values.push_back(i);
    return values;
}

bool WaitFor(const std::atomic<bool>& flag) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!flag.load()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A worker whose owner takes on every `posted` and once more at `finished`, as the check run does.
struct Owner {
    Worker<Numbers> worker;
    std::vector<int> taken;
    int ends = 0;

    Owner() {
        QObject::connect(&worker, &WorkerThread::posted, &worker, [this] { takeAll(); });
        QObject::connect(&worker, &WorkerThread::finished, &worker, [this] {
            takeAll();
            ++ends;
        });
    }
    void takeAll() {
        const Numbers numbers = worker.take();
        taken.insert(taken.end(), numbers.values.begin(), numbers.values.end());
    }
    // A job that posts `value`, held until `release` when one is given.
    quint64 post(int value, std::atomic<bool>* reached = nullptr,
                 const std::atomic<bool>* release = nullptr) {
        return worker.start([=](const std::atomic<bool>&, Outbox<Numbers>& outbox) {
            if (reached)
                *reached = true;
            if (release)
                WaitFor(*release);
            outbox.post({{value}});
        });
    }
    // Events until the worker is idle, and a moment more for anything late.
    void settle() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !worker.running(); }, 20000));
        QTest::qWait(30);
    }
};

TEST(Worker, EverythingPostedArrivesInOrderBeforeTheEnd) {
    const struct {
        const char* name;
        int posts;
        int perPost;
    } rows[] = {{"nothing posted", 0, 1},
                {"one post", 1, 5},
                {"many small posts", 5000, 1},
                {"large posts", 20, 1000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Owner owner;
        QSignalSpy finished(&owner.worker, &WorkerThread::finished);
        ASSERT_NE(owner.worker.start([&row](const std::atomic<bool>&, Outbox<Numbers>& outbox) {
            for (int post = 0; post < row.posts; ++post)
                outbox.post({Count(post * row.perPost + 1, (post + 1) * row.perPost)});
        }),
                  0u);
        EXPECT_TRUE(owner.worker.running());
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(owner.taken, Count(1, row.posts * row.perPost));
        EXPECT_FALSE(owner.worker.running());
    }
}

TEST(Worker, OneSignalUntilTheOwnerTakes) {
    Worker<Numbers> worker;
    std::atomic<bool> firstBatchPosted{false};
    std::atomic<bool> taken{false};
    QSignalSpy posted(&worker, &WorkerThread::posted);
    QSignalSpy finished(&worker, &WorkerThread::finished);
    worker.start([&](const std::atomic<bool>&, Outbox<Numbers>& outbox) {
        for (int i = 1; i <= 3; ++i)
            outbox.post({{i}});
        firstBatchPosted = true;
        WaitFor(taken);
        outbox.post({{4}});
    });
    ASSERT_TRUE(WaitFor(firstBatchPosted));
    QCoreApplication::processEvents();
    EXPECT_EQ(posted.count(), 1);
    EXPECT_EQ(worker.take().values, Count(1, 3));
    taken = true;
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(posted.count(), 2);
    EXPECT_EQ(worker.take().values, Count(4, 4));
    EXPECT_TRUE(worker.take().values.empty());
}

// A job goes stale at any stage; whichever, only the newest job's results and end arrive.
TEST(Worker, OnlyTheNewestJobDelivers) {
    const struct {
        const char* name;
        std::function<void(Owner&, std::atomic<bool>& reached, std::atomic<bool>& release)> steps;
        std::vector<int> taken;
        int ends;
    } rows[] = {
        {"a job started while an older one runs",
         [](Owner& owner, std::atomic<bool>& reached, std::atomic<bool>& release) {
             owner.post(1, &reached, &release);
             WaitFor(reached);
             owner.post(2);
             release = true;
         },
         {2},
         1},
        {"a job that still waits is replaced and never runs",
         [](Owner& owner, std::atomic<bool>& reached, std::atomic<bool>& release) {
             owner.post(1, &reached, &release);
             WaitFor(reached);
             owner.post(2);
             owner.post(3);
             release = true;
         },
         {3},
         1},
        {"a result already queued for the GUI thread",
         [](Owner& owner, std::atomic<bool>& reached, std::atomic<bool>& release) {
             owner.post(1);
             // No event is taken meanwhile, so the first job's result and end stay queued.
             std::this_thread::sleep_for(50ms);
             owner.post(2, &reached, &release);
             WaitFor(reached);
             QTest::qWait(30);
             release = true;
         },
         {2},
         1},
        {"cancel drops the running job and the waiting one",
         [](Owner& owner, std::atomic<bool>& reached, std::atomic<bool>& release) {
             owner.post(1, &reached, &release);
             WaitFor(reached);
             owner.post(2);
             owner.worker.cancel();
             EXPECT_FALSE(owner.worker.running());
             release = true;
         },
         {},
         0},
        {"a job after a cancel runs",
         [](Owner& owner, std::atomic<bool>&, std::atomic<bool>&) {
             owner.worker.cancel();
             owner.post(4);
         },
         {4},
         1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Owner owner;
        std::atomic<bool> reached{false};
        std::atomic<bool> release{false};
        row.steps(owner, reached, release);
        owner.settle();
        EXPECT_EQ(owner.taken, row.taken);
        EXPECT_EQ(owner.ends, row.ends);
    }
}

// Each job has a flag of its own: a start stops the job before it, stop() only the latest, and a
// stopped job's results still arrive.
TEST(Worker, StopFlags) {
    Owner owner;
    std::atomic<bool> firstStarted{false};
    std::atomic<bool> firstStopped{false};
    std::atomic<bool> secondStartedClear{false};
    owner.worker.start([&](const std::atomic<bool>& stop, Outbox<Numbers>&) {
        firstStarted = true;
        firstStopped = WaitFor(stop);
    });
    ASSERT_TRUE(WaitFor(firstStarted));
    owner.worker.start([&](const std::atomic<bool>& stop, Outbox<Numbers>& outbox) {
        secondStartedClear = !stop.load();
        WaitFor(stop);
        outbox.post({{7}});
    });
    QTest::qWait(20);
    owner.worker.stop();
    owner.settle();
    EXPECT_TRUE(firstStopped.load());
    EXPECT_TRUE(secondStartedClear.load());
    EXPECT_EQ(owner.taken, std::vector<int>{7});
    EXPECT_EQ(owner.ends, 1);
}

TEST(Worker, LatestResultKeepsTheNewestPost) {
    Worker<LatestResult<int>> worker;
    QSignalSpy finished(&worker, &WorkerThread::finished);
    worker.start([](const std::atomic<bool>&, Outbox<LatestResult<int>>& outbox) {
        for (int i = 1; i <= 100; ++i)
            outbox.post({i});
    });
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(worker.take().value, 100);
    EXPECT_EQ(worker.take().value, std::nullopt);
}

// The owner goes while its job runs: the job is asked to stop and waited for, and its result
// never arrives; a closed worker starts nothing.
TEST(Worker, DestructionStopsTheJobAndWaitsForIt) {
    std::atomic<bool> started{false};
    std::atomic<bool> sawStop{false};
    {
        Owner owner;
        owner.worker.start([&](const std::atomic<bool>& stop, Outbox<Numbers>& outbox) {
            started = true;
            sawStop = WaitFor(stop);
            // The mailbox is still whole while the owner goes.
            outbox.post({{1}});
        });
        ASSERT_TRUE(WaitFor(started));
        owner.worker.close();
        EXPECT_EQ(owner.post(2), 0u);
        QTest::qWait(30);
        EXPECT_TRUE(owner.taken.empty());
    }
    EXPECT_TRUE(sawStop.load());
}

} // namespace

} // namespace varko::maintree
