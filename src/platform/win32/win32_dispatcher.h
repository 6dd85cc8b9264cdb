// The dispatcher on a message-only window of the user-interface thread: each
// piece of work queued wakes the thread with a private message, so work runs
// between the thread's other messages, also inside modal loops.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/dispatch_queue.h"
#include "platform/dispatcher.h"
#include "platform/win32/message_window.h"

namespace nimbul::platform::win32 {

class Win32Dispatcher : public Dispatcher, public std::enable_shared_from_this<Win32Dispatcher> {
 public:
  // Create it on the user-interface thread, through std::make_shared.
  Win32Dispatcher();
  ~Win32Dispatcher() override;
  Win32Dispatcher(const Win32Dispatcher&) = delete;
  Win32Dispatcher& operator=(const Win32Dispatcher&) = delete;

  bool Post(Work work) override;
  bool Send(Work work) override;
  bool OnUiThread() const override { return ::GetCurrentThreadId() == thread_; }
  void Shutdown() override;
  std::shared_ptr<Dispatcher> Share() override { return shared_from_this(); }

 private:
  void Wake();
  DWORD thread_;
  HWND target_ = nullptr;  // the window below while it exists; read under the queue's lock
  DispatchQueue queue_;
  std::unique_ptr<MessageWindow> window_;
};

}  // namespace nimbul::platform::win32
