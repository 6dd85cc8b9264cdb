// The window manager on real top-level windows created by the tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_window_manager.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpUntil;
using testing::TestWindow;

std::vector<Hwnd> WalkFrom(Win32WindowManager& wm, Hwnd start) {
  std::vector<Hwnd> seen;
  for (Hwnd w = start; !IsNull(w); w = wm.GetWindow(w, kGwHwndNext)) seen.push_back(w);
  return seen;
}

std::ptrdiff_t IndexOf(const std::vector<Hwnd>& walk, Hwnd w) {
  auto it = std::find(walk.begin(), walk.end(), w);
  return it == walk.end() ? -1 : it - walk.begin();
}

TEST(WindowManagerTest, ZOrderWalkMeetsNewerWindowsFirstAndEndsWithZero) {
  Win32WindowManager wm;
  TestWindow bottom("Nimbul walk 1"), middle("Nimbul walk 2"), top("Nimbul walk 3");
  ASSERT_TRUE(bottom.hwnd() && middle.hwnd() && top.hwnd());
  for (auto* w : {&bottom, &middle, &top}) ::ShowWindow(w->hwnd(), SW_SHOWNOACTIVATE);
  ::SetWindowPos(top.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  std::vector<Hwnd> walk = WalkFrom(wm, ToId<Hwnd>(::GetTopWindow(nullptr)));
  std::ptrdiff_t t = IndexOf(walk, top.id()), m = IndexOf(walk, middle.id()), b = IndexOf(walk, bottom.id());
  ASSERT_GE(t, 0);
  EXPECT_LT(t, m);
  EXPECT_LT(m, b);
  // Starting below a window sees only what lies beneath it.
  std::vector<Hwnd> below = WalkFrom(wm, wm.GetWindow(middle.id(), kGwHwndNext));
  EXPECT_EQ(IndexOf(below, top.id()), -1);
  EXPECT_EQ(IndexOf(below, middle.id()), -1);
  EXPECT_GE(IndexOf(below, bottom.id()), 0);
}

TEST(WindowManagerTest, ShowCommandsChangeVisibilityAndReportThePreviousState) {
  Win32WindowManager wm;
  TestWindow active("Nimbul active"), target("Nimbul target");
  EXPECT_FALSE(wm.IsWindowVisible(target.id()));

  EXPECT_FALSE(wm.ShowWindow(target.id(), kSwShow)) << "was hidden";
  EXPECT_TRUE(wm.IsWindowVisible(target.id()));
  EXPECT_TRUE(wm.ShowWindow(target.id(), kSwHide)) << "was visible";
  EXPECT_FALSE(wm.IsWindowVisible(target.id()));

  wm.ShowWindow(active.id(), kSwShow);
  wm.SetForegroundWindow(active.id());
  ASSERT_EQ(wm.GetForegroundWindow(), active.id());
  EXPECT_FALSE(wm.ShowWindow(target.id(), kSwShowNoActivate));
  EXPECT_TRUE(wm.IsWindowVisible(target.id()));
  EXPECT_EQ(wm.GetForegroundWindow(), active.id()) << "shown without activation";

  EXPECT_TRUE(wm.ShowWindowAsync(target.id(), kSwHide));
  EXPECT_FALSE(wm.IsWindowVisible(target.id())) << "a window of this thread is handled at once";
}

TEST(WindowManagerTest, TitlesAreReadAsAtMost255BytesAndEmptyOnceClosed) {
  Win32WindowManager wm;
  std::string longTitle;
  for (int i = 0; i < 300; ++i) longTitle += static_cast<char>('a' + i % 26);
  TestWindow w(longTitle);
  EXPECT_EQ(wm.GetWindowTextA(w.id()), longTitle.substr(0, 255));

  ::SetWindowTextA(w.hwnd(), " ");
  EXPECT_EQ(wm.GetWindowTextA(w.id()), " ");
  ::SetWindowTextA(w.hwnd(), "");
  EXPECT_EQ(wm.GetWindowTextA(w.id()), "");

  Hwnd gone = w.id();
  w.Destroy();
  EXPECT_FALSE(wm.IsWindow(gone));
  EXPECT_EQ(wm.GetWindowTextA(gone), "");
  EXPECT_FALSE(wm.IsWindowVisible(gone));
  EXPECT_EQ(wm.GetWindowTextA(Hwnd{}), "");
}

TEST(WindowManagerTest, FindWindowMatchesTheClassWithoutRegardToCase) {
  Win32WindowManager wm;
  TestWindow w("Nimbul find", "NimbulFindMe");
  EXPECT_EQ(wm.FindWindowA("NimbulFindMe"), w.id());
  EXPECT_EQ(wm.FindWindowA("NIMBULFINDME"), w.id());
  EXPECT_EQ(wm.FindWindowA("nimbulfindme"), w.id());
  EXPECT_TRUE(IsNull(wm.FindWindowA("NimbulFindMeNot")));
}

TEST(WindowManagerTest, OwnerClassIconAndEnabledState) {
  Win32WindowManager wm;
  HICON shared = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  TestWindow owner("Nimbul owner", "NimbulIconClass", nullptr, shared);
  TestWindow owned("Nimbul owned", "NimbulTestTarget", owner.hwnd());

  EXPECT_EQ(wm.GetWindowLongA(owned.id(), kGwlHwndParent), Raw(owner.id()));
  EXPECT_EQ(wm.GetWindowLongA(owner.id(), kGwlHwndParent), 0u);

  const Hicon classIcon{wm.GetClassLongA(owner.id(), kGclHicon)};
  EXPECT_EQ(classIcon, ToId<Hicon>(shared));
  IconOwner copy = wm.CopyIcon(classIcon);
  EXPECT_TRUE(copy);
  EXPECT_NE(copy.get(), classIcon);
  copy.reset();
  EXPECT_FALSE(wm.CopyIcon(Hicon{}));
  EXPECT_EQ(wm.GetClassLongA(owned.id(), kGclHicon), 0u) << "class without icon";

  EXPECT_TRUE(wm.IsWindowEnabled(owned.id()));
  ::EnableWindow(owned.hwnd(), FALSE);
  EXPECT_FALSE(wm.IsWindowEnabled(owned.id()));
}

TEST(WindowManagerTest, LastActivePopupOfAWindowWithoutPopupsIsItself) {
  Win32WindowManager wm;
  TestWindow w("Nimbul popup owner");
  EXPECT_EQ(wm.GetLastActivePopup(w.id()), w.id());
}

TEST(WindowManagerTest, KeyNamesComeFromTheLayout) {
  Win32WindowManager wm;
  unsigned scan = wm.MapVirtualKeyA('A', 0);
  ASSERT_NE(scan, 0u);
  EXPECT_EQ(wm.GetKeyNameTextA(static_cast<long>(scan << 16)), "A");
  EXPECT_EQ(wm.MapVirtualKeyA(0xFF, 0), 0u) << "a code with no key";
}

TEST(WindowManagerTest, SystemMetricsAndTheSystemKeysSwitch) {
  Win32WindowManager wm;
  EXPECT_GE(wm.GetSystemMetrics(kSmCxBorder), 1);
  EXPECT_GE(wm.GetSystemMetrics(kSmCxHscroll), 1);

  // The switch takes the state in its parameter; the system's own read-back
  // (SPI_GETSCREENSAVERRUNNING) shows whether it arrived.
  std::uint32_t previous = 0;
  UINT state = 0xDEAD;
  ASSERT_TRUE(wm.SystemParametersInfoA(kSpiSetScreenSaverRunning, 1, &previous, 0));
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &state, 0));
  EXPECT_EQ(state, 1u);
  ASSERT_TRUE(wm.SystemParametersInfoA(kSpiSetScreenSaverRunning, 0, &previous, 0));
  ASSERT_TRUE(::SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &state, 0));
  EXPECT_EQ(state, 0u);
}

// Presses a button of the message box with `caption` once it is up.
void AnswerBox(const char* caption, int button, std::atomic<bool>* answered) {
  DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 10000) {
    if (HWND box = ::FindWindowA("#32770", caption)) {
      ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      *answered = true;
      return;
    }
    ::Sleep(20);
  }
}

TEST(WindowManagerTest, MessageBoxReturnsTheButtonPressed) {
  Win32WindowManager wm;
  std::atomic<bool> answered{false};
  std::thread answer(AnswerBox, "Nimbul box test", IDNO, &answered);
  int result = wm.MessageBoxA(Hwnd{}, "Hide it?", "Nimbul box test", kMbYesNo | kMbIconQuestion);
  answer.join();
  ASSERT_TRUE(answered);
  EXPECT_EQ(result, kIdNo);
}

}  // namespace
}  // namespace nimbul::platform::win32
