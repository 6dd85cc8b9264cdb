#include "platform/win32/win32_notify_area.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/win32/handle.h"
#include "platform/win32/handle_ids.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/message_window.h"

namespace nimbul::platform::win32 {

namespace {

constexpr char kClassName[] = "NimbulTrayCallback";

// A hidden top-level window rather than a message-only one: only top-level
// windows hear the shell's "TaskbarCreated" broadcast.
// The system keeps messages of lower processes from an elevated one, and
// "TaskbarCreated" comes from Explorer: without this a Nimbulon run as
// administrator would lose its tray icon when Explorer restarts. A system
// without the function (before Windows 7) has no such filter.
void LetTaskbarCreatedThrough(HWND window) {
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  using ChangeFilterFn = BOOL WINAPI(HWND, UINT, DWORD, void*);
  static auto* const changeFilter = LateBound<ChangeFilterFn>("user32.dll", "ChangeWindowMessageFilterEx");
  if (changeFilter) changeFilter(window, ::RegisterWindowMessageA("TaskbarCreated"), kAllow, nullptr);
}

class Win32CallbackWindow : public CallbackWindow {
 public:
  explicit Win32CallbackWindow(NotifyArea::Handler handler) : handler_(std::move(handler)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    if (!EnsureWindowClass(wc)) return;
    window_.reset(::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), this));
    if (window_) LetTaskbarCreatedThrough(window_.get());
  }
  ~Win32CallbackWindow() override {
    if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
  }
  Hwnd Handle() const override { return ToId<Hwnd>(window_.get()); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32CallbackWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && self->handler_) {
      NotifyArea::Handler handler = self->handler_;
      std::int32_t result = 0;
      if (handler(message, static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam), &result))
        return result;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }

  NotifyArea::Handler handler_;
  WindowHandle window_;
};

}  // namespace

std::unique_ptr<CallbackWindow> Win32NotifyArea::CreateCallbackWindow(Handler handler) {
  return std::make_unique<Win32CallbackWindow>(std::move(handler));
}

bool Win32NotifyArea::Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FromId<HWND>(record.hWnd);
  data.uID = record.uID;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = FromId<HICON>(record.hIcon);
  static_assert(sizeof record.szTip == 64, "the first record form has a 64-byte tip");
  std::memcpy(data.szTip, record.szTip, sizeof record.szTip);
  data.szTip[63] = '\0';
  // Without the shell's library in the process no icon of ours can be in
  // the tray: taking one away (as every icon does when it ends) need not load it.
  if (message == NIM_DELETE && !::GetModuleHandleA("shell32.dll")) return false;
  static auto* const notifyIcon = LateBound<decltype(::Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
  return notifyIcon && notifyIcon(message, &data) != FALSE;
}

unsigned Win32NotifyArea::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
  return message;
}

}  // namespace nimbul::platform::win32
