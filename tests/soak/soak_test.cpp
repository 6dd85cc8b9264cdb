// The soak: Nimbul.exe hides and shows 50 target windows again and again by
// every way a user has (F9 and F7, double-clicks in both lists, the tray
// menu), and what it holds of the system must not grow. Every tenth of the
// run (every 1,000 cycles of the full 10,000) it reports its USER and GDI
// objects, handles and private bytes; the last report must be within 5 % of
// the first. At the end no window is lost or left hidden and no error box
// came up. NIMBUL_SOAK_CYCLES sets the number of cycles (`make soak`).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop.h"
#include "e2e_test.h"
#include "input.h"
#include "main_window_driver.h"
#include "message_boxes.h"

namespace nimbul::e2e {
namespace {

constexpr int kDefaultCycles = 10000;
constexpr int kTargets = 50;
constexpr double kAllowedGrowth = 0.05;
constexpr UINT kTrayCallback = WM_USER + 1000;
constexpr WPARAM kFirstIconId = 1;

struct Figures {
  int cycle = 0;
  DWORD user = 0, gdi = 0, handles = 0;
  SIZE_T privateBytes = 0;
};

Figures Measure(HANDLE process, int cycle) {
  Figures f;
  f.cycle = cycle;
  f.user = GetGuiResources(process, GR_USEROBJECTS);
  f.gdi = GetGuiResources(process, GR_GDIOBJECTS);
  GetProcessHandleCount(process, &f.handles);
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    f.privateBytes = counters.PrivateUsage;
  return f;
}

bool Within(double last, double first) { return last <= first * (1 + kAllowedGrowth) + 0.5; }

int Cycles() {
  const char* text = std::getenv("NIMBUL_SOAK_CYCLES");
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : kDefaultCycles;
}

class Soak : public E2eTest {
 protected:
  HWND TrayWindow() {
    auto found = FindTopLevel({std::string("NimbulTrayCallback"), std::nullopt, app_->process().id(), false});
    return found.empty() ? nullptr : found.front();
  }
  // Scrolls the list to the window's row, then double-clicks it.
  bool DoubleClickRow(const RemoteListView& list, HWND window) {
    const auto handles = ListedHandles(list);
    for (std::size_t row = 0; row < handles.size(); ++row)
      if (handles[row] == HandleText(window)) {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(list.handle(), LVM_ENSUREVISIBLE, row, FALSE, SMTO_ABORTIFHUNG, 2000, &r);
        return DoubleClickRowOf(list, window);
      }
    return false;
  }
  // F9 does nothing while Nimbulon still counts itself active (it learns of
  // the switch a moment after the system): a press that hid nothing is
  // pressed again, as a user would, and counted.
  bool HideByF9(HWND t) {
    if (!Activate(t)) return false;
    for (int press = 0; press < 3; ++press) {
      if (press > 0) ++repeatedF9_;
      if (press == 2) {
        std::printf("F9 hid nothing twice; Nimbulon active first, then the target\n");
        if (!Activate(main_) || !Activate(t)) return false;
      }
      PressKey(VK_F9);
      if (WaitUntil([&] { return !IsWindowVisible(t); }, Millis(3000))) return true;
    }
    return false;
  }
  // One cycle hides the window one way and shows it another.
  std::string Cycle(int i, HWND t) {
    switch (i % 3) {
      case 0:
        if (!HideByF9(t)) return "F9 did not hide";
        PressKey(VK_F7);
        return WaitUntil([&] { return IsWindowVisible(t) != FALSE; }) ? "" : "F7 did not show";
      case 1:
        if (!Activate(main_) || !WaitUntil([&] { return Listed(app_->VisibleList(), t); })) return "not listed";
        if (!DoubleClickRow(app_->VisibleList(), t) || !WaitUntil([&] { return !IsWindowVisible(t); }))
          return "double-click did not hide";
        if (!WaitUntil([&] { return Listed(app_->HiddenList(), t); }) || !DoubleClickRow(app_->HiddenList(), t) ||
            !WaitUntil([&] { return IsWindowVisible(t) != FALSE; }))
          return "double-click did not show";
        return "";
      default: {
        if (!HideByF9(t)) return "F9 did not hide";
        PressKey(VK_F4);
        if (!WaitUntil([&] { return !IsWindowVisible(main_); })) return "F4 did not go to the tray";
        MoveMouseTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 60, GetSystemMetrics(SM_CYSCREEN) - 60});
        PostMessageA(TrayWindow(), kTrayCallback, kFirstIconId, WM_RBUTTONUP);
        if (!WaitForTopLevel({std::string("#32768"), std::nullopt, app_->process().id(), true})) return "no tray menu";
        // "&Show program" opens on its only entry, the window just hidden.
        PressKey('S');
        PressKey(VK_RETURN);
        if (!WaitUntil([&] { return IsWindowVisible(t) != FALSE; })) return "the tray menu did not show";
        PressKey(VK_F4);
        return WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }) ? "" : "F4 did not come back";
      }
    }
  }
  NimbulApp* app_ = nullptr;
  HWND main_ = nullptr;
  int repeatedF9_ = 0;
};

TEST_F(Soak, ThousandsOfHidesAndShowsLeaveNothingBehind) {
  const int cycles = Cycles();
  const int every = cycles >= 10 ? cycles / 10 : 1;
  std::vector<TargetSpec> specs;
  for (int i = 0; i < kTargets; ++i) specs.push_back({"Soak target " + std::to_string(i)});
  Targets& t = OpenTargets(specs);
  app_ = &StartNimbul();
  main_ = app_->WaitForMainWindow();
  ASSERT_NE(main_, nullptr);

  std::vector<Figures> figures;
  std::printf("%8s %8s %8s %8s %14s\n", "cycles", "USER", "GDI", "handles", "private bytes");
  for (int i = 0; i < cycles; ++i) {
    const std::string failure = Cycle(i, t[static_cast<std::size_t>(i % kTargets)]);
    ASSERT_EQ(failure, "") << "cycle " << i << ", target " << i % kTargets;
    ASSERT_EQ(FindMessageBox(kApplicationTitle, app_->process().id()), nullptr) << "an error box, cycle " << i;
    if ((i + 1) % every == 0) {
      figures.push_back(Measure(app_->process().handle(), i + 1));
      const Figures& f = figures.back();
      std::printf("%8d %8lu %8lu %8lu %14lu\n", f.cycle, f.user, f.gdi, f.handles,
                  static_cast<unsigned long>(f.privateBytes));
      std::fflush(stdout);
    }
  }
  std::printf("F9 pressed again %d times\n", repeatedF9_);
  ASSERT_FALSE(figures.empty());
  const Figures &first = figures.front(), &last = figures.back();
  EXPECT_TRUE(Within(last.user, first.user)) << first.user << " -> " << last.user;
  EXPECT_TRUE(Within(last.gdi, first.gdi)) << first.gdi << " -> " << last.gdi;
  EXPECT_TRUE(Within(last.handles, first.handles)) << first.handles << " -> " << last.handles;
  EXPECT_TRUE(Within(static_cast<double>(last.privateBytes), static_cast<double>(first.privateBytes)))
      << first.privateBytes << " -> " << last.privateBytes;
  for (HWND w : t.windows()) EXPECT_TRUE(IsWindow(w) && IsWindowVisible(w)) << "a window lost or left hidden";
  EXPECT_TRUE(WaitUntil([&] { return ListedHandles(app_->HiddenList()).empty(); })) << "entries left hidden";
}

}  // namespace
}  // namespace nimbul::e2e
