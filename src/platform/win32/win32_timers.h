// Timers on a message-only window of their own, so ticks arrive through the
// thread's message loop between other messages; the clock is the performance
// counter.
#pragma once
#include <windows.h>

#include <map>

#include "platform/timers.h"
#include "platform/win32/message_window.h"

namespace nimbul::platform::win32 {

class Win32Timers : public Timers {
 public:
  Win32Timers();
  ~Win32Timers() override;
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  // 0 when the system refused the timer.
  std::uint32_t StartTimer(unsigned intervalMs, std::function<void()> tick) override;
  void KillTimer(std::uint32_t id) override;
  std::uint64_t Now() override;

 private:
  void OnTimer(std::uint32_t id);
  std::map<std::uint32_t, std::function<void()>> ticks_;
  std::uint32_t next_ = 1;
  LARGE_INTEGER frequency_{};
  MessageWindow window_;
};

}  // namespace nimbul::platform::win32
