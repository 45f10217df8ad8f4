#include "varko/maintree/session/serial_worker.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace varko::maintree {
namespace {

TEST(SerialWorker, RunsEveryJobInOrderOffTheCallersThreadBeforeItEnds) {
    std::vector<int> done;
    std::vector<std::thread::id> threads;
    {
        SerialWorker worker;
        for (int i = 0; i < 200; ++i) {
            worker.Post([&, i] {
                done.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        }
    }
    ASSERT_EQ(done.size(), 200u);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(done[static_cast<std::size_t>(i)], i);
    for (std::thread::id id : threads) {
        ASSERT_NE(id, std::this_thread::get_id());
        ASSERT_EQ(id, threads.front()) << "one thread, so jobs never overlap";
    }
}

} // namespace
} // namespace varko::maintree
