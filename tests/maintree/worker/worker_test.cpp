#include "varko/maintree/worker/worker.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace varko::maintree {

namespace {

using namespace std::chrono_literals;

// Numbers in the order a job posted them.
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

// The owner takes on every `posted` and once more at `finished`, as the check run does.
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
        Worker<Numbers> worker;
        std::vector<int> all;
        std::vector<int> atEnd;
        QObject::connect(&worker, &WorkerThread::posted, &worker, [&] {
            Numbers taken = worker.take();
            all.insert(all.end(), taken.values.begin(), taken.values.end());
        });
        QObject::connect(&worker, &WorkerThread::finished, &worker, [&] {
            Numbers taken = worker.take();
            all.insert(all.end(), taken.values.begin(), taken.values.end());
            atEnd = all;
        });
        QSignalSpy finished(&worker, &WorkerThread::finished);
        ASSERT_TRUE(worker.start([&row](const std::atomic<bool>&, Outbox<Numbers>& outbox) {
            for (int post = 0; post < row.posts; ++post)
                outbox.post({Count(post * row.perPost + 1, (post + 1) * row.perPost)});
        }));
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_EQ(atEnd, Count(1, row.posts * row.perPost));
        EXPECT_FALSE(worker.running());
    }
}

TEST(Worker, OneSignalUntilTheOwnerTakes) {
    Worker<Numbers> worker;
    std::atomic<bool> firstBatchPosted{false};
    std::atomic<bool> taken{false};
    QSignalSpy posted(&worker, &WorkerThread::posted);
    QSignalSpy finished(&worker, &WorkerThread::finished);
    ASSERT_TRUE(worker.start([&](const std::atomic<bool>&, Outbox<Numbers>& outbox) {
        for (int i = 1; i <= 3; ++i)
            outbox.post({{i}});
        firstBatchPosted = true;
        WaitFor(taken);
        outbox.post({{4}});
    }));
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

TEST(Worker, DestructionStopsTheJobAndWaitsForIt) {
    std::atomic<bool> started{false};
    std::atomic<bool> sawStop{false};
    {
        Worker<Numbers> worker;
        ASSERT_TRUE(worker.start([&](const std::atomic<bool>& stop, Outbox<Numbers>& outbox) {
            started = true;
            sawStop = WaitFor(stop);
            // The outbox is still whole while the owner goes.
            outbox.post({{1}});
        }));
        ASSERT_TRUE(WaitFor(started));
    }
    EXPECT_TRUE(sawStop.load());
}

} // namespace

} // namespace varko::maintree
