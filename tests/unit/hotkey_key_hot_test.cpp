// The global hotkey component against the fake desktop's atoms and hotkeys.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "hotkeys/key_hot.h"
#include "platform/fake/fake_desktop.h"

namespace {

using nimbul::hotkeys::kScAlt;
using nimbul::hotkeys::kScCtrl;
using nimbul::hotkeys::kScShift;
using nimbul::hotkeys::ModifierFlags;
using nimbul::hotkeys::TKeyHot;
using nimbul::platform::Atom;
using nimbul::platform::AtomOwner;
using nimbul::platform::kModAlt;
using nimbul::platform::kModControl;
using nimbul::platform::kModShift;
using nimbul::platform::Raw;
using nimbul::platform::fake::FakeDesktop;
using nimbul::platform::fake::FakeHotkeys;

constexpr unsigned kF9 = 0x78;
constexpr unsigned kF8 = 0x77;

class KeyHot : public ::testing::Test {
 protected:
  // The atom every component takes, without keeping a reference to it.
  Atom SharedAtom() { return desktop.hotkeys.GlobalAddAtomA("Shortcut").get(); }
  // Registrations made under the component's window.
  std::vector<FakeHotkeys::Registration> RegistrationsOf(const TKeyHot& k) {
    std::vector<FakeHotkeys::Registration> out;
    for (const auto& r : desktop.hotkeys.Registrations())
      if (r.hwnd == k.Handle()) out.push_back(r);
    return out;
  }
  // Counts the events a component raises, checking the sender.
  void Count(TKeyHot& k, int& events) {
    k.HotKeyEvent = [&k, &events](TKeyHot& sender) {
      EXPECT_EQ(&sender, &k);
      ++events;
    };
  }
  FakeDesktop desktop;
};

TEST_F(KeyHot, ModifierFlagsFollowTheShortcutBits) {
  EXPECT_EQ(ModifierFlags(kF9), 0u);
  EXPECT_EQ(ModifierFlags(kScAlt | kF9), kModAlt);
  EXPECT_EQ(ModifierFlags(kScCtrl | kF9), kModControl);
  EXPECT_EQ(ModifierFlags(kScShift | kF9), kModShift);
  EXPECT_EQ(ModifierFlags(kScShift | kScCtrl | kScAlt | kF9), kModAlt | kModControl | kModShift);
}

TEST_F(KeyHot, TheStoredValueIsRegisteredAtConstruction) {
  TKeyHot k(desktop.hotkeys, kScShift | kScCtrl | kScAlt | 0x70);
  ASSERT_FALSE(IsNull(k.HotKeyId()));
  ASSERT_FALSE(IsNull(k.Handle()));
  auto regs = RegistrationsOf(k);
  ASSERT_EQ(regs.size(), 1u);
  EXPECT_EQ(regs[0].id, Raw(k.HotKeyId()));
  EXPECT_EQ(regs[0].modifiers, kModAlt | kModControl | kModShift);
  EXPECT_EQ(regs[0].vk, 0x70u);
  EXPECT_EQ(desktop.hotkeys.AtomRefs(k.HotKeyId()), 1);
}

TEST_F(KeyHot, EveryComponentTakesTheSameAtomUnderItsOwnWindow) {
  TKeyHot a(desktop.hotkeys, kF9), b(desktop.hotkeys, kF8);
  EXPECT_EQ(a.HotKeyId(), b.HotKeyId());
  EXPECT_NE(a.Handle(), b.Handle());
  EXPECT_EQ(desktop.hotkeys.AtomRefs(a.HotKeyId()), 2);
  EXPECT_EQ(desktop.hotkeys.LiveAtoms(), 1);
}

TEST_F(KeyHot, UnregisteringTwiceGivesTheAtomBackOnce) {
  TKeyHot a(desktop.hotkeys, kF9), b(desktop.hotkeys, kF8);
  Atom atom = a.HotKeyId();
  a.UnregisterShortCut();
  a.UnregisterShortCut();
  EXPECT_TRUE(IsNull(a.HotKeyId()));
  EXPECT_EQ(desktop.hotkeys.AtomRefs(atom), 1);  // b's reference is untouched
  EXPECT_TRUE(RegistrationsOf(a).empty());
  EXPECT_EQ(RegistrationsOf(b).size(), 1u);
}

TEST_F(KeyHot, RepeatedRegistrationsLeaveNoAtomReferencesBehind) {
  {
    TKeyHot k(desktop.hotkeys, kF9);
    auto window = k.Handle();
    for (int i = 0; i < 10; ++i) k.RegisterShortCut();
    for (int i = 0; i < 5; ++i) k.SetShortCut(kScCtrl | kF8);
    EXPECT_EQ(k.Handle(), window);  // one window for the component's life
    EXPECT_EQ(desktop.hotkeys.AtomRefs(k.HotKeyId()), 1);
    auto regs = RegistrationsOf(k);
    ASSERT_EQ(regs.size(), 1u);
    EXPECT_EQ(regs[0].vk, kF8);
    EXPECT_EQ(regs[0].modifiers, kModControl);
    k.UnregisterShortCut();
    EXPECT_EQ(desktop.hotkeys.LiveAtoms(), 0);
    EXPECT_TRUE(desktop.hotkeys.Registrations().empty());
    k.RegisterShortCut();
    EXPECT_EQ(desktop.hotkeys.LiveAtoms(), 1);
  }
  EXPECT_EQ(desktop.hotkeys.LiveAtoms(), 0);
}

TEST_F(KeyHot, DestructionWithdrawsTheRegistrationAndTheWindow) {
  auto k = std::make_unique<TKeyHot>(desktop.hotkeys, kF9);
  auto window = k->Handle();
  ASSERT_TRUE(desktop.wm.Exists(window));
  k.reset();
  EXPECT_FALSE(desktop.wm.Exists(window));
  EXPECT_TRUE(desktop.hotkeys.Registrations().empty());
  EXPECT_EQ(desktop.hotkeys.LiveAtoms(), 0);
}

TEST_F(KeyHot, APressAnywhereRaisesTheEventOfTheComponentHoldingIt) {
  TKeyHot f9(desktop.hotkeys, kF9), ctrlF8(desktop.hotkeys, kScCtrl | kF8);
  int f9Events = 0, f8Events = 0;
  Count(f9, f9Events);
  Count(ctrlF8, f8Events);
  desktop.wm.SetForeground(desktop.wm.AddWindow("Editor"));
  EXPECT_TRUE(desktop.hotkeys.Press(0, kF9));
  EXPECT_EQ(f9Events, 1);
  EXPECT_EQ(f8Events, 0);
  EXPECT_FALSE(desktop.hotkeys.Press(0, kF8));  // Ctrl is part of that combination
  EXPECT_TRUE(desktop.hotkeys.Press(kModControl, kF8));
  EXPECT_EQ(f8Events, 1);
  EXPECT_EQ(f9Events, 1);
}

TEST_F(KeyHot, AMessageWithAnotherIdentifierIsIgnored) {
  TKeyHot k(desktop.hotkeys, kF9);
  int events = 0;
  Count(k, events);
  desktop.hotkeys.Post(k.Handle(), Raw(k.HotKeyId()) + 1u);
  desktop.hotkeys.Post(k.Handle(), 0);
  EXPECT_EQ(events, 0);
  desktop.hotkeys.Post(k.Handle(), Raw(k.HotKeyId()));
  EXPECT_EQ(events, 1);
}

TEST_F(KeyHot, AnUnregisteredComponentRaisesNothing) {
  TKeyHot k(desktop.hotkeys, kF9);
  int events = 0;
  Count(k, events);
  Atom old = k.HotKeyId();
  k.UnregisterShortCut();
  EXPECT_FALSE(desktop.hotkeys.Press(0, kF9));
  // Not even a message that matches the identifier it no longer holds.
  desktop.hotkeys.Post(k.Handle(), 0);
  desktop.hotkeys.Post(k.Handle(), Raw(old));
  EXPECT_EQ(events, 0);
  k.RegisterShortCut();
  EXPECT_TRUE(desktop.hotkeys.Press(0, kF9));
  EXPECT_EQ(events, 1);
}

TEST_F(KeyHot, NoEventHandlerMeansAPressIsSwallowedQuietly) {
  TKeyHot k(desktop.hotkeys, kF9);
  EXPECT_TRUE(desktop.hotkeys.Press(0, kF9));
}

TEST_F(KeyHot, ZeroRegistersAKeyNoStrokeProduces) {
  TKeyHot k(desktop.hotkeys, 0);
  int events = 0;
  Count(k, events);
  auto regs = RegistrationsOf(k);
  ASSERT_EQ(regs.size(), 1u);
  EXPECT_EQ(regs[0].vk, 0u);
  EXPECT_EQ(regs[0].modifiers, 0u);
  EXPECT_FALSE(desktop.hotkeys.Press(0, 0));
  EXPECT_EQ(events, 0);
}

TEST_F(KeyHot, ARefusedCombinationCountsAsRegisteredButNeverFires) {
  desktop.hotkeys.TakenElsewhere(0, kF9);
  TKeyHot k(desktop.hotkeys, kF9);
  int events = 0;
  Count(k, events);
  EXPECT_FALSE(IsNull(k.HotKeyId()));
  desktop.hotkeys.Press(0, kF9);
  EXPECT_EQ(events, 0);
  // A second component asking for a combination the first holds is refused too.
  TKeyHot first(desktop.hotkeys, kF8), second(desktop.hotkeys, kF8);
  int secondEvents = 0;
  Count(second, secondEvents);
  EXPECT_TRUE(desktop.hotkeys.Press(0, kF8));
  EXPECT_EQ(secondEvents, 0);
}

// An atom table that is full: every GlobalAddAtomA fails.
class FullAtomTable : public FakeHotkeys {
 public:
  using FakeHotkeys::FakeHotkeys;
  AtomOwner GlobalAddAtomA(const std::string&) override { return {}; }
};

TEST_F(KeyHot, WithoutAnIdentifierNothingIsRegistered) {
  FullAtomTable table(desktop.wm);
  TKeyHot k(table, kF9);
  int events = 0;
  Count(k, events);
  EXPECT_TRUE(IsNull(k.HotKeyId()));
  // A registration under identifier 0 could never be withdrawn.
  EXPECT_TRUE(table.Registrations().empty());
  EXPECT_FALSE(table.Press(0, kF9));
  EXPECT_EQ(events, 0);
}

}  // namespace
