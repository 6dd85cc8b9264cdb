#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "shell/notify_icon.h"
#include "ui/fake/fake_backend.h"

namespace nimbul::shell {
namespace {

using platform::kNimAdd;
using platform::kNimDelete;
using platform::kNimModify;

struct NotifyIconTest : ::testing::Test {
  platform::fake::FakeDesktop desktop;
  ui::fake::FakeBackend backend{desktop};
  ui::Application app{desktop.platform, backend};
  ui::Form* owner = nullptr;
  std::unique_ptr<TNotifyIcon> icon;
  std::vector<std::string> events;

  void SetUp() override {
    backend.SetApplication(&app);
    app.Initialize();
    owner = &app.CreateForm<ui::Form>("Owner");
    icon = std::make_unique<TNotifyIcon>(app, *owner);
    auto log = [this](const char* what) {
      return [this, what](TNotifyIcon&, MouseButton b) {
        events.push_back(std::string(what) + (b == MouseButton::Left    ? " left"
                                              : b == MouseButton::Right ? " right"
                                                                        : " middle"));
      };
    };
    icon->OnMouseUp = log("up");
    icon->OnMouseDown = log("down");
    icon->OnDblClick = log("dblclick");
    icon->OnMouseMove = [this](TNotifyIcon&) { events.push_back("move"); };
  }
  std::vector<unsigned> Calls() {
    std::vector<unsigned> out;
    for (auto& c : desktop.notifyArea.calls) out.push_back(c.message);
    return out;
  }
  bool Send(std::uint32_t id, std::uint32_t mouse, std::int32_t* result) {
    return desktop.notifyArea.Send(icon->WindowHandle(), kTrayCallbackMessage, id, mouse, result);
  }
};

TEST_F(NotifyIconTest, ShowingTwiceAddsOnceAndHideShowAddsAgain) {
  icon->SetTip("tip");
  icon->SetIcon(desktop.wm.NewIcon());
  EXPECT_TRUE(Calls().empty()) << "nothing reaches the shell while invisible";
  icon->SetVisible(true);
  icon->SetVisible(true);
  icon->SetTip("other");
  icon->SetVisible(false);
  icon->SetVisible(true);
  EXPECT_EQ(Calls(), (std::vector<unsigned>{kNimAdd, kNimModify, kNimDelete, kNimAdd}));
  const auto& r = desktop.notifyArea.calls.back().record;
  EXPECT_EQ(r.cbSize, 88u);
  EXPECT_EQ(r.uCallbackMessage, 2024u);
  EXPECT_EQ(r.uID, icon->Id());
  EXPECT_EQ(r.hWnd, icon->WindowHandle());
  EXPECT_STREQ(r.szTip, "other");
  EXPECT_FALSE(platform::IsNull(r.hIcon));
}

TEST_F(NotifyIconTest, FlagsFollowWhatIsSet) {
  struct Case {
    bool withIcon;
    const char* tip;
    std::uint32_t flags;
  } cases[] = {{false, "", 1}, {true, "", 3}, {false, "t", 5}, {true, "t", 7}};
  for (const Case& c : cases) {
    desktop.notifyArea.calls.clear();
    icon->SetIcon(c.withIcon ? desktop.wm.NewIcon() : platform::Hicon{});
    icon->SetTip(c.tip);
    icon->SetVisible(true);
    EXPECT_EQ(desktop.notifyArea.calls.back().record.uFlags, c.flags) << c.withIcon << c.tip;
    icon->SetVisible(false);
  }
}

// A long tip is cut to the 63 bytes the shell's field holds, never inside a
// character of a double-byte code page.
TEST_F(NotifyIconTest, ALongTipIsCutBetweenCharacters) {
  const std::string kana = "\x83\x41";  // two bytes; the second reads as 'A'
  struct Case {
    const char* what;
    bool doubleByte;
    std::string tip, shown;
  } cases[] = {
      {"single-byte", false, std::string(100, 'x'), std::string(63, 'x')},
      {"single-byte high bytes", false, std::string(100, '\x83'), std::string(63, '\x83')},
      {"character ends at 63", true, std::string(61, 'x') + kana + "yy", std::string(61, 'x') + kana},
      {"character across 63", true, std::string(62, 'x') + kana, std::string(62, 'x')},
      {"double-byte only", true,
       [&] {
         std::string t;
         for (int i = 0; i < 40; ++i) t += kana;
         return t;
       }(),
       [&] {
         std::string t;
         for (int i = 0; i < 31; ++i) t += kana;
         return t;
       }()},
  };
  for (const Case& c : cases) {
    desktop.codePages.leadBytes.clear();
    if (c.doubleByte) desktop.codePages.UseDoubleByteCodePage();
    icon->SetVisible(false);
    icon->SetTip(c.tip);
    icon->SetVisible(true);
    const auto& r = desktop.notifyArea.calls.back().record;
    EXPECT_EQ(std::string(r.szTip), c.shown) << c.what;
  }
}

TEST_F(NotifyIconTest, MouseMessagesRaiseTheirEvents) {
  icon->SetVisible(true);
  const std::uint32_t messages[] = {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209, 0x20A};
  for (std::uint32_t m : messages) {
    std::int32_t result = 0;
    EXPECT_TRUE(Send(icon->Id(), m, &result));
    EXPECT_EQ(result, 1);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"move", "down left", "up left", "dblclick left", "down right", "up right",
                                              "dblclick right", "down middle", "up middle", "dblclick middle"}));
}

TEST_F(NotifyIconTest, RightReleaseOpensThePopupMenuAtTheCursorInsteadOfMouseUp) {
  ui::PopupMenu menu(app, "Menu");
  icon->PopupMenu = &menu;
  backend.cursorX = 700;
  backend.cursorY = 580;
  std::int32_t result = 0;
  EXPECT_TRUE(Send(icon->Id(), 0x205, &result));
  EXPECT_EQ(backend.lastPopup, &menu);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(desktop.wm.foregroundCalls.back(), owner->Handle());
}

TEST_F(NotifyIconTest, AnotherIconsMessageIsLeftAlone) {
  std::int32_t result = 42;
  EXPECT_FALSE(Send(icon->Id() + 1, 0x203, &result));
  EXPECT_EQ(result, 42);
  EXPECT_TRUE(events.empty());
}

TEST_F(NotifyIconTest, IdentifiersCountUpAndDestructionDeletesTheIcon) {
  TNotifyIcon second(app, *owner);
  EXPECT_EQ(second.Id(), icon->Id() + 1);
  std::uint32_t id = icon->Id();
  icon.reset();
  ASSERT_FALSE(desktop.notifyArea.calls.empty());
  EXPECT_EQ(desktop.notifyArea.calls.back().message, kNimDelete);
  EXPECT_EQ(desktop.notifyArea.calls.back().record.uID, id);
  EXPECT_EQ(desktop.icons.LiveIcons(), 0) << "the icon copy goes with the component";
}

TEST_F(NotifyIconTest, ARestartedTaskbarGetsTheIconAgain) {
  icon->SetVisible(true);
  desktop.notifyArea.RestartTaskbar();
  EXPECT_EQ(Calls(), (std::vector<unsigned>{kNimAdd, kNimAdd}));
  EXPECT_EQ(desktop.notifyArea.shown.size(), 1u);
  icon->SetVisible(false);
  desktop.notifyArea.RestartTaskbar();
  EXPECT_TRUE(desktop.notifyArea.shown.empty()) << "an invisible icon stays away";
}

TEST_F(NotifyIconTest, ARefusedAddIsTriedAgainWhenTheTaskbarComes) {
  desktop.notifyArea.refuseAdd = true;
  icon->SetVisible(true);
  EXPECT_FALSE(icon->Added());
  desktop.notifyArea.RestartTaskbar();
  EXPECT_TRUE(icon->Added());
  EXPECT_EQ(desktop.notifyArea.shown.size(), 1u);
}

TEST_F(NotifyIconTest, AnAddTheShellTimedOutOnIsFoundByAModifyAndNeverAddedAgain) {
  desktop.notifyArea.addTimesOut = true;
  icon->SetVisible(true);
  EXPECT_TRUE(icon->Added());
  icon->SetTip("later");
  desktop.timers.Advance(60000);
  EXPECT_EQ(Calls(), (std::vector<unsigned>{kNimAdd, kNimModify, kNimModify}));
}

TEST_F(NotifyIconTest, ARefusedAddIsRetriedForAMinuteUntilTheShellTakesIt) {
  int late = 0;
  icon->OnReAdded = [&](TNotifyIcon&) { ++late; };
  desktop.notifyArea.refuseAdd = true;
  icon->SetVisible(true);
  desktop.timers.Advance(10000);
  EXPECT_FALSE(icon->Added());
  desktop.notifyArea.refuseAdd = false;
  desktop.timers.Advance(10000);
  EXPECT_TRUE(icon->Added());
  EXPECT_EQ(late, 1);
  EXPECT_EQ(desktop.notifyArea.shown.size(), 1u);

  // A shell that never answers is left after a minute; taking the icon away ends the tries at once.
  for (bool takenAway : {false, true}) {
    icon->SetVisible(false);
    desktop.notifyArea.refuseAdd = true;
    icon->SetVisible(true);
    if (takenAway) icon->SetVisible(false);
    desktop.notifyArea.calls.clear();
    desktop.timers.Advance(120000);
    EXPECT_EQ(Calls().size(), takenAway ? 0u : 2u * 6u) << "an add and a modify at each of six tries";
  }
}

}  // namespace
}  // namespace nimbul::shell
