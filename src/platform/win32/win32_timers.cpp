#include "platform/win32/win32_timers.h"

namespace nimbul::platform::win32 {

namespace {
constexpr char kTimerWindowClass[] = "NimbulonTimers";
}  // namespace

Win32Timers::Win32Timers()
    : window_(kTimerWindowClass, [this](UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_TIMER) return false;
        OnTimer(static_cast<std::uint32_t>(wParam));
        return true;
      }) {
  ::QueryPerformanceFrequency(&frequency_);
}

Win32Timers::~Win32Timers() {
  for (auto& [id, tick] : ticks_) ::KillTimer(window_.hwnd(), id);
}

std::uint32_t Win32Timers::StartTimer(unsigned intervalMs, std::function<void()> tick) {
  if (!window_.hwnd()) return 0;
  std::uint32_t id = next_++;
  if (next_ == 0) next_ = 1;  // 0 is the failure value
  if (::SetTimer(window_.hwnd(), id, intervalMs, nullptr) == 0) return 0;
  ticks_[id] = std::move(tick);
  return id;
}

void Win32Timers::KillTimer(std::uint32_t id) {
  if (ticks_.erase(id)) ::KillTimer(window_.hwnd(), id);
}

std::uint64_t Win32Timers::Now() {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  auto count = static_cast<std::uint64_t>(counter.QuadPart);
  auto perSecond = static_cast<std::uint64_t>(frequency_.QuadPart);
  // Split so that a fast counter cannot overflow the multiplication.
  return count / perSecond * 1000 + count % perSecond * 1000 / perSecond;
}

void Win32Timers::OnTimer(std::uint32_t id) {
  auto it = ticks_.find(id);
  if (it == ticks_.end()) return;  // killed with its message already queued
  auto tick = it->second;          // a copy: the tick may kill its own timer
  if (tick) tick();
}

}  // namespace nimbul::platform::win32
