#include "platform/win32/win32_dispatcher.h"

namespace nimbul::platform::win32 {

namespace {
constexpr char kDispatcherWindowClass[] = "NimbulonDispatcher";
// "Work is queued"; the window is of a private class, so the value is free.
constexpr UINT kWmDispatch = WM_APP + 16;
}  // namespace

Win32Dispatcher::Win32Dispatcher() : thread_(::GetCurrentThreadId()), queue_([this] { Wake(); }) {
  window_ = std::make_unique<MessageWindow>(kDispatcherWindowClass, [this](UINT message, WPARAM, LPARAM) {
    if (message != kWmDispatch) return false;
    queue_.RunPending();
    return true;
  });
  target_ = window_->hwnd();
}

Win32Dispatcher::~Win32Dispatcher() { Shutdown(); }

void Win32Dispatcher::Wake() {
  if (target_) ::PostMessageA(target_, kWmDispatch, 0, 0);
}

bool Win32Dispatcher::Post(Work work) { return queue_.Post(std::move(work)); }

bool Win32Dispatcher::Send(Work work) {
  if (OnUiThread()) {
    if (queue_.Closed()) return false;
    work();
    return true;
  }
  return queue_.SendAndWait(std::move(work));
}

void Win32Dispatcher::Shutdown() {
  queue_.Shutdown();
  // The window belongs to the user-interface thread; a last reference held
  // by a worker must not be the one that destroys it.
  if (window_ && OnUiThread()) {
    target_ = nullptr;
    window_.reset();
  }
}

}  // namespace nimbul::platform::win32
