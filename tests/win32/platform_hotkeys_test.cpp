// Global atoms and hotkeys on the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/handle_ids.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpFor;
using testing::PumpUntil;

// A combination nothing else on the test desktop uses.
constexpr unsigned kMods = kModControl | kModShift;
constexpr unsigned kVk = VK_F11;

std::string UniqueAtomName(const char* stem) { return std::string(stem) + std::to_string(::GetCurrentProcessId()); }

TEST(AtomTest, AddingTwiceGivesTheSameAtomAndEachDeleteGivesBackOneReference) {
  Win32Hotkeys hotkeys;
  std::string name = UniqueAtomName("NimbulShortcut");
  AtomOwner first = hotkeys.GlobalAddAtomA(name);
  ASSERT_TRUE(first);
  AtomOwner second = hotkeys.GlobalAddAtomA(name);
  AtomOwner third = hotkeys.GlobalAddAtomA("nimbulSHORTCUT" + std::to_string(::GetCurrentProcessId()));
  EXPECT_EQ(second.get(), first.get());
  EXPECT_EQ(third.get(), first.get()) << "atom names ignore letter case";

  const ATOM raw = static_cast<ATOM>(first.get());
  second.reset();
  third.reset();
  EXPECT_EQ(::GlobalFindAtomA(name.c_str()), raw) << "one reference is still held";
  first.reset();
  EXPECT_EQ(::GlobalFindAtomA(name.c_str()), 0) << "the last reference is gone";
}

class HotkeyTest : public ::testing::Test {
 protected:
  WindowOwner NewWindow(std::vector<unsigned>* received) {
    WindowOwner w = hotkeys_.CreateHotkeyWindow([received](unsigned id) { received->push_back(id); });
    EXPECT_TRUE(w);
    return w;
  }
  Win32Hotkeys hotkeys_;
  std::vector<unsigned> first_, second_;
};

TEST_F(HotkeyTest, HotkeyWindowIsNeverATopLevelWindowOfTheDesktop) {
  WindowOwner w = NewWindow(&first_);
  const HWND h = FromId<HWND>(w.get());
  EXPECT_TRUE(::IsWindow(h));
  EXPECT_FALSE(::IsWindowVisible(h));
  bool met = false;
  for (HWND top = ::GetTopWindow(nullptr); top; top = ::GetWindow(top, GW_HWNDNEXT)) met = met || top == h;
  EXPECT_FALSE(met) << "a walk of the desktop's windows must not meet it";
  w.reset();
  EXPECT_FALSE(::IsWindow(h));
}

TEST_F(HotkeyTest, ACombinationIsGrantedToOneRegistrationOnly) {
  WindowOwner oa = NewWindow(&first_), ob = NewWindow(&second_);
  const Hwnd a = oa.get(), b = ob.get();
  ASSERT_TRUE(hotkeys_.RegisterHotKey(a, 0xC001, kMods, kVk));
  EXPECT_FALSE(hotkeys_.RegisterHotKey(b, 0xC001, kMods, kVk)) << "taken by the other window";
  EXPECT_TRUE(hotkeys_.RegisterHotKey(b, 0xC001, kMods, VK_F12)) << "same identifier under another window";

  EXPECT_TRUE(hotkeys_.UnregisterHotKey(a, 0xC001));
  EXPECT_FALSE(hotkeys_.UnregisterHotKey(a, 0xC001)) << "nothing left to withdraw";
  EXPECT_TRUE(hotkeys_.UnregisterHotKey(b, 0xC001));
  EXPECT_TRUE(hotkeys_.RegisterHotKey(b, 0xC002, kMods, kVk)) << "free again";
  EXPECT_TRUE(hotkeys_.UnregisterHotKey(b, 0xC002));
}

TEST_F(HotkeyTest, DestroyingTheWindowReleasesItsCombinations) {
  WindowOwner a = NewWindow(&first_), b = NewWindow(&second_);
  ASSERT_TRUE(hotkeys_.RegisterHotKey(a.get(), 0xC001, kMods, kVk));
  a.reset();
  EXPECT_TRUE(hotkeys_.RegisterHotKey(b.get(), 0xC001, kMods, kVk));
  hotkeys_.UnregisterHotKey(b.get(), 0xC001);
}

TEST_F(HotkeyTest, PostedHotkeyReachesTheCallbackOfItsWindowWithItsIdentifier) {
  WindowOwner oa = NewWindow(&first_), ob = NewWindow(&second_);
  const Hwnd a = oa.get(), b = ob.get();
  ::PostMessageA(FromId<HWND>(a), WM_HOTKEY, 0xC123, MAKELPARAM(kMods, kVk));
  ::PostMessageA(FromId<HWND>(b), WM_HOTKEY, 7, 0);
  ::PostMessageA(FromId<HWND>(a), WM_TIMER, 1, 0);
  ASSERT_TRUE(PumpUntil([&] { return !first_.empty() && !second_.empty(); }));
  PumpFor(50);
  EXPECT_EQ(first_, std::vector<unsigned>{0xC123});
  EXPECT_EQ(second_, std::vector<unsigned>{7});
}

TEST_F(HotkeyTest, CallbackMayDestroyItsOwnWindow) {
  WindowOwner w;
  int calls = 0;
  w = hotkeys_.CreateHotkeyWindow([&](unsigned) {
    ++calls;
    w.reset();
  });
  ASSERT_TRUE(w);
  const HWND h = FromId<HWND>(w.get());
  ::PostMessageA(h, WM_HOTKEY, 1, 0);
  ::PostMessageA(h, WM_HOTKEY, 1, 0);
  ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
  PumpFor(50);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(::IsWindow(h));
}

void Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}

TEST_F(HotkeyTest, RealKeyPressReachesTheRegisteredWindow) {
  WindowOwner oa = NewWindow(&first_);
  const Hwnd a = oa.get();
  ASSERT_TRUE(hotkeys_.RegisterHotKey(a, 0xC00F, kMods, kVk));
  Key(VK_CONTROL, false);
  Key(VK_SHIFT, false);
  Key(kVk, false);
  Key(kVk, true);
  Key(VK_SHIFT, true);
  Key(VK_CONTROL, true);
  EXPECT_TRUE(PumpUntil([&] { return !first_.empty(); }, 3000)) << "WM_HOTKEY from a key press";
  EXPECT_EQ(first_, std::vector<unsigned>{0xC00F});
  hotkeys_.UnregisterHotKey(a, 0xC00F);
}

}  // namespace
}  // namespace nimbul::platform::win32
