// Forms after the main one start without native windows and get them when
// first needed, holding everything their models were told meanwhile.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui_fixture.h"

namespace nimbul::ui::win32::testing {
namespace {

constexpr const char* kSecondClass = "TfrmSecond";

class SecondForm : public Form {
 public:
  explicit SecondForm(Application& app) : Form(app, "frmSecond"), Edit1(this, "Edit1"), Check1(this, "CheckBox1") {
    SetCaption("Second");
    SetBounds(60, 60, 240, 140);
    Edit1.SetBounds(8, 8, 120, 21);
    Check1.SetBounds(8, 40, 120, 17);
    Check1.SetCaption("Ticked later");
    OnCreate = [this] { Edit1.SetText("from the creation handler"); };
  }
  Edit Edit1;
  CheckBox Check1;
};

std::string TextOf(HWND h) {
  char text[128] = {};
  ::GetWindowTextA(h, text, sizeof text);
  return text;
}

VOID CALLBACK EndLoop(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ::PostQuitMessage(0);
}

class DeferredFormTest : public PeerTest {
 protected:
  void SetUp() override {
    PeerTest::SetUp();
    MakeForm();  // the main form, whose windows are made at once
    second = &app.CreateForm<SecondForm>();
  }
  SecondForm* second = nullptr;
};

TEST_F(DeferredFormTest, SecondFormHasNoWindowUntilShownThenShowsWhatItsModelHolds) {
  EXPECT_EQ(::FindWindowA(kSecondClass, nullptr), nullptr) << "a hidden form got its window at creation";
  second->Edit1.SetText("typed while hidden");
  second->Check1.SetChecked(true);
  second->Show();

  HWND window = ::FindWindowA(kSecondClass, "Second");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(::GetWindow(window, GW_OWNER), Native(app.Handle()));
  EXPECT_EQ(TextOf(Native(second->Edit1.Handle())), "typed while hidden");
  EXPECT_EQ(::SendMessageA(Native(second->Check1.Handle()), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(DeferredFormTest, AskingAHiddenFormForItsWindowMakesItHidden) {
  HWND window = Native(second->Handle());
  ASSERT_TRUE(::IsWindow(window));
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_EQ(TextOf(Native(second->Edit1.Handle())), "from the creation handler");
}

TEST_F(DeferredFormTest, MessageLoopMakesTheWaitingWindowsWhenIdle) {
  ::SetTimer(nullptr, 0, 100, EndLoop);
  backend.RunMessageLoop();
  HWND window = ::FindWindowA(kSecondClass, "Second");
  ASSERT_NE(window, nullptr) << "the idle loop left the form without its window";
  EXPECT_FALSE(::IsWindowVisible(window));
}

}  // namespace
}  // namespace nimbul::ui::win32::testing
