// The job service: parallel loops that cover every index once, jobs that
// stop when cancelled, and lanes that hand back only the latest result,
// whole, on the owner's thread. Also the same without threads.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "JobLane.h"
#include "JobService.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::PostQueue;

TEST(JobService, ParallelLoopsVisitEveryIndexOnceAndPassOnWhatThrows) {
  for (bool threads : {true, false}) {
    SCOPED_TRACE(threads);
    JobService service(threads);
    Job job(&service);
    std::vector<std::atomic<int>> visits(5000);
    std::mutex mutex;
    std::set<std::thread::id> seen;
    const int width = job.ParallelFor(5000, 3, [&](int64_t i) {
      visits[static_cast<size_t>(i)].fetch_add(1);
      std::lock_guard lock(mutex);
      seen.insert(std::this_thread::get_id());
    });
    EXPECT_EQ(width, threads ? 3 : 1);
    EXPECT_LE(seen.size(), static_cast<size_t>(width));
    for (const std::atomic<int>& v : visits) ASSERT_EQ(v.load(), 1);

    EXPECT_THROW(job.ParallelFor(100, 3,
                                 [](int64_t i) {
                                   if (i == 42) throw std::runtime_error("42");
                                 }),
                 std::runtime_error);
    job.Cancel();
    std::atomic<int> after{0};
    job.ParallelFor(100, 3, [&](int64_t) { ++after; });
    EXPECT_EQ(after.load(), 0) << "a cancelled job starts no more of its loop";
  }
}

TEST(JobService, LanesHandBackOnlyTheLatestResultOnTheOwnersThread) {
  for (bool threads : {true, false}) {
    SCOPED_TRACE(threads);
    JobService service(threads);
    PostQueue owner;
    JobLane<std::string> lane(service, owner.Poster());
    std::vector<std::string> delivered;
    const auto owners = std::this_thread::get_id();
    auto keep = [&](std::string result) {
      EXPECT_EQ(std::this_thread::get_id(), owners);
      delivered.push_back(std::move(result));
    };
    auto failed = [](std::exception_ptr) { return std::string("failed"); };
    // A first start replaced by a second: only the second arrives, even
    // when the first was done before it.
    lane.Start([](Job&) { return std::string("first"); }, keep, failed);
    lane.Start([](Job&) { return std::string("second"); }, keep, failed);
    EXPECT_TRUE(lane.Running());
    ASSERT_TRUE(owner.DrainUntil([&] { return !lane.Running(); }));
    EXPECT_EQ(delivered, std::vector<std::string>{"second"});

    // Cancel still hands back what the work made of it; Forget drops it.
    lane.Start(
        [threads](Job& job) {
          while (threads && !job.Cancelled()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          }
          return std::string("stopped");
        },
        keep, failed);
    lane.Cancel();
    ASSERT_TRUE(owner.DrainUntil([&] { return !lane.Running(); }));
    lane.Start([](Job&) -> std::string { throw std::runtime_error("no"); }, keep, failed);
    ASSERT_TRUE(owner.DrainUntil([&] { return !lane.Running(); }));
    lane.Start([](Job&) { return std::string("forgotten"); }, keep, failed);
    lane.Forget();
    EXPECT_FALSE(lane.Running());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    owner.Drain();
    EXPECT_EQ(delivered, (std::vector<std::string>{"second", "stopped", "failed"}));
  }
}
