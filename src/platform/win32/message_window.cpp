#include "platform/win32/message_window.h"

namespace nimbul::platform::win32 {

bool EnsureWindowClass(const WNDCLASSEXA& wc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing)) return true;
  if (::RegisterClassExA(&wc)) return true;
  DWORD error = ::GetLastError();
  return error == ERROR_CLASS_ALREADY_EXISTS;
}

namespace {

bool EnsureClass(const char* className, WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  return EnsureWindowClass(wc);
}

}  // namespace

MessageWindow::MessageWindow(const char* className, Handler handler) : handler_(std::move(handler)) {
  if (!EnsureClass(className, &MessageWindow::Proc)) return;
  window_.reset(
      ::CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr), this));
}

MessageWindow::~MessageWindow() {
  // The messages of the window's own destruction must not reach a half-destroyed object.
  if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK MessageWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && self->handler_) {
    // A copy: the handler may destroy this window, and with it the original.
    Handler handler = self->handler_;
    if (handler(message, wParam, lParam)) return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace nimbul::platform::win32
