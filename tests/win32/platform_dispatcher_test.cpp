// Work handed from a real worker thread to this thread's message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/win32_dispatcher.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpFor;
using testing::PumpUntil;

TEST(DispatcherTest, WorkFromAThreadRunsInTheMessageLoopInOrder) {
  auto d = std::make_shared<Win32Dispatcher>();
  std::vector<DWORD> threads;
  std::vector<int> order;
  std::atomic<bool> sent{false};
  std::thread worker([&] {
    d->Post([&] {
      order.push_back(1);
      threads.push_back(::GetCurrentThreadId());
    });
    sent = d->Send([&] {
      order.push_back(2);
      threads.push_back(::GetCurrentThreadId());
    });
  });
  ::Sleep(50);
  EXPECT_TRUE(order.empty()) << "nothing runs outside the message loop";
  ASSERT_TRUE(PumpUntil([&] { return sent.load(); }, 5000));
  worker.join();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  for (DWORD t : threads) EXPECT_EQ(t, ::GetCurrentThreadId());
  d->Shutdown();
}

TEST(DispatcherTest, WorkRunsInsideAModalLoopToo) {
  auto d = std::make_shared<Win32Dispatcher>();
  std::atomic<bool> done{false};
  std::thread worker([&] { done = d->Send([] {}); });
  // A bare GetMessage loop stands for a message box's or a menu's own loop.
  MSG msg;
  DWORD start = ::GetTickCount();
  while (!done && ::GetTickCount() - start < 5000) {
    if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0 &&
        ::GetMessageA(&msg, nullptr, 0, 0) > 0)
      ::DispatchMessageA(&msg);
  }
  worker.join();
  EXPECT_TRUE(done);
  d->Shutdown();
}

TEST(DispatcherTest, ClosingThreadReleasesAWaitingWorker) {
  auto d = std::make_shared<Win32Dispatcher>();
  std::atomic<int> result{-1};
  bool ran = false;
  std::thread worker([&] { result = d->Send([&] { ran = true; }) ? 1 : 0; });
  ::Sleep(100);  // the worker is waiting; this thread pumps no more
  d->Shutdown();
  DWORD start = ::GetTickCount();
  while (result == -1 && ::GetTickCount() - start < 5000) ::Sleep(5);
  EXPECT_EQ(result, 0) << "the worker must be let go, not left waiting";
  worker.join();
  PumpFor(50);
  EXPECT_FALSE(ran);
}

TEST(DispatcherTest, AWorkerMayOutliveTheDispatchersOwner) {
  std::shared_ptr<Dispatcher> kept;
  HANDLE go = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> result{-1};
  std::thread worker;
  {
    auto d = std::make_shared<Win32Dispatcher>();
    kept = d->Share();
    worker = std::thread([&result, go, w = kept] {
      ::WaitForSingleObject(go, 5000);
      result = w->Post([] {}) ? 1 : 0;
    });
    d->Shutdown();
  }
  kept.reset();
  ::SetEvent(go);
  worker.join();
  ::CloseHandle(go);
  EXPECT_EQ(result, 0);
}

TEST(DispatcherTest, ManyReportsArriveWithoutLoss) {
  auto d = std::make_shared<Win32Dispatcher>();
  constexpr int kReports = 2000;
  int handled = 0;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    for (int i = 0; i < kReports; ++i) d->Send([&] { ++handled; });
    finished = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return finished.load(); }, 20000));
  worker.join();
  EXPECT_EQ(handled, kReports);
  d->Shutdown();
}

}  // namespace
}  // namespace nimbul::platform::win32
