// Work handed from worker threads to the user-interface thread (the test's).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/fake_dispatcher.h"

namespace nimbul::platform::fake {
namespace {

TEST(Dispatcher, PostedWorkRunsOnlyWhenPumpedAndInOrder) {
  auto d = std::make_shared<FakeDispatcher>();
  std::vector<int> ran;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) d->Post([&ran, i] { ran.push_back(i); });
  });
  worker.join();
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(d->Pump(), 3u);
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST(Dispatcher, SendFromWorkerReturnsOnlyAfterTheWorkRanOnThisThread) {
  auto d = std::make_shared<FakeDispatcher>();
  std::atomic<bool> returned{false};
  std::thread::id ranOn;
  bool sent = false;
  std::thread worker([&] {
    sent = d->Send([&] { ranOn = std::this_thread::get_id(); });
    returned = true;
  });
  ASSERT_TRUE(d->WaitForWork(5000));
  EXPECT_FALSE(returned) << "the sender waits while the work is queued";
  d->Pump();
  worker.join();
  EXPECT_TRUE(sent);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(Dispatcher, SendOnTheUserInterfaceThreadRunsAtOnce) {
  auto d = std::make_shared<FakeDispatcher>();
  int runs = 0;
  EXPECT_TRUE(d->Send([&] { ++runs; }));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(d->Pending(), 0u);
}

TEST(Dispatcher, ShutdownReleasesAWaitingSenderWithoutRunningItsWork) {
  auto d = std::make_shared<FakeDispatcher>();
  bool ran = false;
  std::atomic<int> result{-1};
  std::thread worker([&] { result = d->Send([&] { ran = true; }) ? 1 : 0; });
  ASSERT_TRUE(d->WaitForWork(5000));
  d->Shutdown();
  worker.join();
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(d->Post([] {})) << "work after the shutdown is refused";
  EXPECT_FALSE(d->Send([] {}));
}

TEST(Dispatcher, WorkThatShutsDownDropsTheRestOfItsBatch) {
  auto d = std::make_shared<FakeDispatcher>();
  std::vector<std::string> ran;
  d->Post([&] {
    ran.push_back("first");
    d->Shutdown();
  });
  std::atomic<int> result{-1};
  std::thread worker([&] { result = d->Send([&] { ran.push_back("second"); }) ? 1 : 0; });
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (d->Pending() < 2 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(d->Pending(), 2u);
  d->Pump();
  worker.join();
  EXPECT_EQ(ran, (std::vector<std::string>{"first"}));
  EXPECT_EQ(result, 0);
}

TEST(Dispatcher, AnErrorOfSentWorkReachesTheSender) {
  auto d = std::make_shared<FakeDispatcher>();
  std::string caught;
  std::thread worker([&] {
    try {
      d->Send([] { throw std::runtime_error("handler failed"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
  });
  ASSERT_TRUE(d->WaitForWork(5000));
  d->Pump();
  worker.join();
  EXPECT_EQ(caught, "handler failed");
}

TEST(Dispatcher, ASharedReferenceOutlivesTheOwner) {
  std::shared_ptr<Dispatcher> kept;
  {
    auto d = std::make_shared<FakeDispatcher>();
    kept = d->Share();
    d->Shutdown();
  }
  EXPECT_FALSE(kept->Post([] {}));
  EXPECT_FALSE(kept->Send([] {}));
}

}  // namespace
}  // namespace nimbul::platform::fake
