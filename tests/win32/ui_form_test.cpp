// Forms as real top-level windows, and the application window that owns them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/win32/caption_painter.h"
#include "ui_fixture.h"

namespace nimbul::ui::win32::testing {
namespace {

RECT WindowRect(HWND h) {
  RECT r{};
  ::GetWindowRect(h, &r);
  return r;
}

std::string ClassOf(HWND h) {
  char name[128] = {};
  ::GetClassNameA(h, name, sizeof name);
  return name;
}

TEST_F(PeerTest, ApplicationWindowIsAZeroSizeVisibleTopLevelWindowWithTheTitle) {
  HWND appWindow = Native(app.Handle());
  ASSERT_TRUE(::IsWindow(appWindow));
  RECT r = WindowRect(appWindow);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_TRUE(::IsWindowVisible(appWindow));
  EXPECT_EQ(::GetWindow(appWindow, GW_OWNER), nullptr);
  app.SetTitle("Nimbul");
  char title[64] = {};
  ::GetWindowTextA(appWindow, title, sizeof title);
  EXPECT_STREQ(title, "Nimbul");
  // Hiding it takes the taskbar button away.
  backend.ShowApplicationWindow(false);
  EXPECT_FALSE(::IsWindowVisible(appWindow));
  backend.ShowApplicationWindow(true);
  EXPECT_TRUE(::IsWindowVisible(appWindow));
}

TEST_F(PeerTest, FormIsAHiddenTopLevelWindowOwnedByTheApplicationWindow) {
  TestForm& f = MakeForm();
  HWND form = Native(f.Handle());
  ASSERT_TRUE(::IsWindow(form));
  EXPECT_EQ(ClassOf(form), "TfrmPeerTest");
  EXPECT_EQ(::GetWindow(form, GW_OWNER), Native(app.Handle()));
  EXPECT_FALSE(::GetWindowLongA(form, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(::IsWindowVisible(form));
  char title[64] = {};
  ::GetWindowTextA(form, title, sizeof title);
  EXPECT_STREQ(title, "Peer test");
  RECT r = WindowRect(form);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 520);
  EXPECT_EQ(r.bottom - r.top, 300);
}

TEST_F(PeerTest, HandleExistsWhileTheFormsCreationHandlerRuns) {
  struct Probe : Form {
    explicit Probe(Application& a) : Form(a, "frmProbe") {
      OnCreate = [this] { handleAtCreate = Handle(); };
    }
    platform::Hwnd handleAtCreate{};
  };
  Probe& p = app.CreateForm<Probe>();
  EXPECT_FALSE(platform::IsNull(p.handleAtCreate));
  EXPECT_TRUE(::IsWindow(Native(p.handleAtCreate)));
}

TEST_F(PeerTest, ShowingAndHidingMirrorTheModel) {
  TestForm& f = MakeForm();
  HWND form = Native(f.Handle());
  f.Show();
  EXPECT_TRUE(::IsWindowVisible(form));
  f.Hide();
  EXPECT_FALSE(::IsWindowVisible(form));
  f.SetCaption("Renamed");
  char title[64] = {};
  ::GetWindowTextA(form, title, sizeof title);
  EXPECT_STREQ(title, "Renamed");
  f.SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(form));
  f.SetEnabled(true);
  EXPECT_TRUE(::IsWindowEnabled(form));
}

TEST_F(PeerTest, ScreenCentredFormIsCentredOnItsFirstShow) {
  TestForm& f = MakeForm();
  f.SetPosition(FormPosition::ScreenCenter);
  f.Show();
  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r = WindowRect(Native(f.Handle()));
  EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
  EXPECT_EQ(f.Left(), r.left);
  EXPECT_EQ(f.Top(), r.top);
}

TEST_F(PeerTest, SystemResizeReachesTheModelAndItsLayout) {
  TestForm& f = MakeForm();
  int resizes = 0;
  f.OnResize = [&] { ++resizes; };
  HWND form = Native(f.Handle());
  ::MoveWindow(form, 10, 20, 601, 400, TRUE);
  EXPECT_EQ(f.Width(), 601);
  EXPECT_EQ(f.Height(), 400);
  EXPECT_EQ(f.Left(), 10);
  EXPECT_EQ(f.Top(), 20);
  RECT client;
  ::GetClientRect(form, &client);
  EXPECT_EQ(f.ClientWidth(), client.right);
  EXPECT_EQ(f.ClientHeight(), client.bottom);
  EXPECT_GE(resizes, 1);
  // The aligned children follow: the status bar sits at the bottom of the client area.
  RECT bar = WindowRect(Native(f.StatusBar1.Handle()));
  POINT bottomRight{bar.right, bar.bottom};
  ::ScreenToClient(form, &bottomRight);
  EXPECT_EQ(bottomRight.y, client.bottom);
  EXPECT_EQ(bottomRight.x, client.right);
}

TEST_F(PeerTest, ModelBoundsAndClientSizeMoveTheWindow) {
  TestForm& f = MakeForm();
  HWND form = Native(f.Handle());
  f.SetBounds(50, 60, 400, 250);
  RECT r = WindowRect(form);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 250);
  f.SetClientSize(333, 171);
  RECT client;
  ::GetClientRect(form, &client);
  EXPECT_EQ(client.right, 333);
  EXPECT_EQ(client.bottom, 171);
  EXPECT_EQ(f.ClientWidth(), 333);
}

TEST_F(PeerTest, ClientSizeOfTheDesignGivesTheFirstWindowSize) {
  struct Dialog : Form {
    explicit Dialog(Application& a) : Form(a, "frmHotkeyTest") {
      SetBorder(BorderStyle::ToolWindow);
      SetClientSize(333, 171);
    }
  };
  Dialog& d = app.CreateForm<Dialog>();
  HWND h = Native(d.Handle());
  RECT client;
  ::GetClientRect(h, &client);
  EXPECT_EQ(client.right, 333);
  EXPECT_EQ(client.bottom, 171);
  EXPECT_TRUE(::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(PeerTest, MinimumTrackSizeIsTheModels) {
  TestForm& f = MakeForm();
  MINMAXINFO info{};
  info.ptMinTrackSize = {10, 10};
  info.ptMaxTrackSize = {5000, 4000};
  ::SendMessageA(Native(f.Handle()), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 320);
  EXPECT_EQ(info.ptMinTrackSize.y, 180);
  EXPECT_EQ(info.ptMaxTrackSize.x, 5000);
}

TEST_F(PeerTest, TitleBarCloseAsksTheModelWhichMayKeepTheForm) {
  TestForm& f = MakeForm();
  f.Show();
  int closes = 0;
  f.OnClose = [&] { ++closes; };
  ::SendMessageA(Native(f.Handle()), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 1);
  // The model hides the form; the window lives on.
  EXPECT_TRUE(::IsWindow(Native(f.Handle())));
  EXPECT_FALSE(::IsWindowVisible(Native(f.Handle())));
  EXPECT_FALSE(f.Visible());
  // Closing the main form ends the message loop.
  MSG msg;
  EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(PeerTest, MinimizeHidesTheFormsAndRestoreBringsThemBack) {
  TestForm& f = MakeForm();
  f.Show();
  HWND form = Native(f.Handle()), appWindow = Native(app.Handle());
  int minimized = 0, restored = 0;
  app.OnMinimize = [&] { ++minimized; };
  app.OnRestore = [&] { ++restored; };
  app.Minimize();
  EXPECT_EQ(minimized, 1);
  EXPECT_FALSE(::IsWindowVisible(form));
  EXPECT_TRUE(::IsIconic(appWindow));
  EXPECT_TRUE(f.Visible());  // the model still shows it
  EXPECT_FALSE(backend.ApplicationActive());
  app.Restore();
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(::IsIconic(appWindow));
  EXPECT_TRUE(::IsWindowVisible(form));
}

TEST_F(PeerTest, FormHiddenWhileMinimizedStaysHiddenOnRestore) {
  TestForm& f = MakeForm();
  f.Show();
  app.Minimize();
  f.Hide();
  app.Restore();
  EXPECT_FALSE(::IsWindowVisible(Native(f.Handle())));
}

TEST_F(PeerTest, MinimizeButtonOfTheMainFormMinimizesTheApplication) {
  TestForm& f = MakeForm();
  f.Show();
  int minimized = 0;
  app.OnMinimize = [&] { ++minimized; };
  ::SendMessageA(Native(f.Handle()), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(minimized, 1);
  EXPECT_TRUE(app.Minimized());
  EXPECT_FALSE(::IsIconic(Native(f.Handle())));  // the form is hidden, not iconic
  EXPECT_TRUE(::IsIconic(Native(app.Handle())));
  // Restoring from the taskbar button restores the application.
  int restored = 0;
  app.OnRestore = [&] { ++restored; };
  ::SendMessageA(Native(app.Handle()), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(app.Minimized());
  EXPECT_TRUE(::IsWindowVisible(Native(f.Handle())));
}

TEST_F(PeerTest, ActivationReachesTheFormAndTheApplication) {
  TestForm& f = MakeForm();
  int formActivated = 0, formDeactivated = 0;
  f.OnActivate = [&] { ++formActivated; };
  f.OnDeactivate = [&] { ++formDeactivated; };
  f.Show();
  ASSERT_TRUE(PumpUntil([&] { return formActivated > 0; }));
  EXPECT_TRUE(backend.ApplicationActive());
  ::SendMessageA(Native(f.Handle()), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(formDeactivated, 1);
  int appActivated = 0, appDeactivated = 0;
  app.OnActivate = [&] { ++appActivated; };
  app.OnDeactivate = [&] { ++appDeactivated; };
  ::SendMessageA(Native(app.Handle()), WM_ACTIVATEAPP, FALSE, 0);
  ::SendMessageA(Native(app.Handle()), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(appDeactivated, 1);
  EXPECT_EQ(appActivated, 1);
}

TEST_F(PeerTest, TitleBarGradientGoesFromBlueToBlack) {
  EXPECT_EQ(GradientBand(RGB(0, 0, 255), 0, 255), RGB(0, 0, 255));
  EXPECT_EQ(GradientBand(RGB(0, 0, 255), 254, 255), RGB(0, 0, 0));
  COLORREF middle = GradientBand(RGB(0, 0, 255), 127, 255);
  EXPECT_EQ(GetRValue(middle), 0);
  EXPECT_EQ(GetBValue(middle), 128);
  EXPECT_EQ(GradientBand(RGB(0, 0, 255), 0, 1), RGB(0, 0, 255));
}

TEST_F(PeerTest, TitleBarIsPaintedWithTheGradientWhenActive) {
  TestForm& f = MakeForm();
  f.Show();
  HWND form = Native(f.Handle());
  ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == form; }));
  ::RedrawWindow(form, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  // The caption bar's top left corner, left of the icon, is the first band.
  int x = ::GetSystemMetrics(SM_CXSIZEFRAME), y = ::GetSystemMetrics(SM_CYSIZEFRAME);
  HDC dc = ::GetWindowDC(form);
  COLORREF first = ::GetPixel(dc, x, y);
  ::ReleaseDC(form, dc);
  EXPECT_EQ(first, RGB(0, 0, 255));
}

}  // namespace
}  // namespace nimbul::ui::win32::testing
