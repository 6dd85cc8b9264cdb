// A window whose thread stops handling messages: the program must be able to
// tell (IsHungAppWindow) and to hide it without waiting (ShowWindowAsync).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "platform/win32/win32_timers.h"
#include "platform/win32/win32_window_manager.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpUntil;
using testing::TestWindow;

// Owns a visible window on a thread of its own; Stall() makes that thread stop
// handling messages for a while, as a hung program does.
class StallingThread {
 public:
  StallingThread() : thread_([this] { Run(); }) {
    while (!hwnd_) ::Sleep(5);
  }
  ~StallingThread() {
    quit_ = true;
    ::PostMessageA(hwnd_, WM_NULL, 0, 0);
    thread_.join();
  }
  void Stall(DWORD ms) {
    stallMs_ = ms;
    stalled_ = false;
    ::PostMessageA(hwnd_, WM_NULL, 0, 0);
    while (!stalled_) ::Sleep(1);
  }
  Hwnd id() const { return ToId<Hwnd>(hwnd_.load()); }

 private:
  void Run() {
    TestWindow window("Nimbul hung target");
    ::ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    hwnd_ = window.hwnd();
    MSG msg;
    while (!quit_ && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
      ::DispatchMessageA(&msg);
      if (DWORD ms = stallMs_.exchange(0)) {
        stalled_ = true;
        ::Sleep(ms);
      }
    }
  }
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<DWORD> stallMs_{0};
  std::atomic<bool> stalled_{false};
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

TEST(HungWindowTest, AsyncHideReturnsAtOnceAndTakesEffectWhenTheThreadResumes) {
  Win32WindowManager wm;
  Win32Timers clock;
  StallingThread target;
  ASSERT_TRUE(wm.IsWindowVisible(target.id()));
  EXPECT_FALSE(wm.IsHungAppWindow(target.id()));

  target.Stall(1500);
  std::uint64_t start = clock.Now();
  wm.ShowWindowAsync(target.id(), kSwHide);
  EXPECT_LT(clock.Now() - start, 200u) << "ShowWindowAsync waited for the stalled thread";
  EXPECT_TRUE(wm.IsWindowVisible(target.id())) << "not hidden before its thread runs";
  EXPECT_TRUE(PumpUntil([&] { return !wm.IsWindowVisible(target.id()); }, 5000));
}

TEST(HungWindowTest, ShowWindowWaitsForTheWindowsThread) {
  Win32WindowManager wm;
  Win32Timers clock;
  StallingThread target;
  target.Stall(800);
  std::uint64_t start = clock.Now();
  wm.ShowWindow(target.id(), kSwHide);
  EXPECT_GE(clock.Now() - start, 500u) << "ShowWindow on another thread's window is a sent message";
  EXPECT_FALSE(wm.IsWindowVisible(target.id()));
}

TEST(HungWindowTest, WindowIsReportedHungAfterSomeSecondsWithoutMessageHandling) {
  Win32WindowManager wm;
  Win32Timers clock;
  StallingThread target;
  target.Stall(8000);
  std::uint64_t start = clock.Now();
  ASSERT_TRUE(PumpUntil([&] { return wm.IsHungAppWindow(target.id()); }, 7500)) << "not reported hung within 7.5 s";
  std::uint64_t after = clock.Now() - start;
  std::printf("[          ] reported hung after %llu ms without message handling\n",
              static_cast<unsigned long long>(after));
  EXPECT_GE(after, 1000u) << "a short pause is no hang";
  EXPECT_TRUE(PumpUntil([&] { return !wm.IsHungAppWindow(target.id()); }, 5000))
      << "responsive again once its thread handles messages";
}

}  // namespace
}  // namespace nimbul::platform::win32
