#include "ui/win32/app_window.h"

#include "ui/application.h"
#include "ui/win32/messages.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {
constexpr char kClassName[] = "TApplication";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace

AppWindow::AppWindow(PeerContext& context, const std::string& title) : PeerWindow(context) {
  ClassLook look;
  look.backgroundColor = -1;
  look.iconResource = "MAINICON";
  // Zero size at the centre of the screen: present for the taskbar, invisible to the eye.
  int x = ::GetSystemMetrics(SM_CXSCREEN) / 2, y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  RECT r{x, y, x, y};
  if (CreateOwn(kClassName, look, 0, title.c_str(), kStyle, r, nullptr, nullptr)) ::ShowWindow(hwnd(), SW_SHOWNA);
}

void AppWindow::Minimize() {
  changing_ = true;
  ::ShowWindow(hwnd(), SW_MINIMIZE);
  changing_ = false;
}

void AppWindow::Restore() {
  changing_ = true;
  ::ShowWindow(hwnd(), SW_RESTORE);
  changing_ = false;
}

LRESULT AppWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_ACTIVATEAPP: return OnActivateApp(wParam != FALSE, wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case kWmActivateLastPopup: return OnActivateLastPopup();
    case WM_CLOSE: return OnClose();
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_ENDSESSION: return OnEndSession(wParam != FALSE);
    default: return PeerWindow::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT AppWindow::OnSysCommand(WPARAM command, LPARAM lParam) {
  Application* app = Context().App();
  switch (command & 0xFFF0) {
    case SC_MINIMIZE:
      if (app) {
        app->Minimize();
        return 0;
      }
      break;
    case SC_RESTORE:
      if (app && app->Minimized()) {
        app->Restore();
        return 0;
      }
      break;
    default: break;
  }
  return Default(WM_SYSCOMMAND, command, lParam);
}

// The taskbar may minimize or restore the window without a system command.
LRESULT AppWindow::OnSize(WPARAM kind, LPARAM lParam) {
  Application* app = Context().App();
  if (app && !changing_) {
    if (kind == SIZE_MINIMIZED && !app->Minimized()) app->Minimize();
    if (kind == SIZE_RESTORED && app->Minimized()) app->Restore();
  }
  return Default(WM_SIZE, kind, lParam);
}

// The session may end: the program never refuses it.
LRESULT AppWindow::OnQueryEndSession() {
  if (Application* app = Context().App()) app->QueryEndSession();
  return TRUE;
}

LRESULT AppWindow::OnEndSession(bool ending) {
  if (Application* app = Context().App()) app->EndSession(ending);
  return 0;
}

LRESULT AppWindow::OnActivateApp(bool active, WPARAM wParam, LPARAM lParam) {
  if (Application* app = Context().App()) {
    if (active)
      app->SystemActivated();
    else
      app->SystemDeactivated();
  }
  return Default(WM_ACTIVATEAPP, wParam, lParam);
}

// The window itself takes no input: activation goes on to the form last used.
LRESULT AppWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != WA_INACTIVE && !::IsIconic(hwnd())) ::PostMessageA(hwnd(), kWmActivateLastPopup, 0, 0);
  return Default(WM_ACTIVATE, wParam, lParam);
}

LRESULT AppWindow::OnActivateLastPopup() {
  HWND popup = ::GetLastActivePopup(hwnd());
  if (::GetActiveWindow() == hwnd() && popup && popup != hwnd() && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup))
    ::SetActiveWindow(popup);
  return 0;
}

// Closing from the taskbar closes the main form, which decides.
LRESULT AppWindow::OnClose() {
  Application* app = Context().App();
  if (app && app->MainForm()) app->MainForm()->Close();
  return 0;
}

}  // namespace nimbul::ui::win32
