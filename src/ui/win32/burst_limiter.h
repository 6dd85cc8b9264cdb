// Lets a burst of model changes reach a native control at most every so
// many milliseconds: the first change of a burst at once, the last one when
// the interval is over. Under Wine each text or position change of a
// visible control costs a repaint of up to a millisecond; a download's
// thousands of progress reports would otherwise spend their time there.
//
// The limiter's timer is the control's own (a WM_TIMER with its identifier),
// or, given a callback, a timer of the thread: under Wine a list view loses
// the timers of its own window while it tracks a click.
#pragma once
#include <windows.h>

#include <functional>
#include <map>

namespace nimbul::ui::win32 {

class BurstLimiter {
 public:
  BurstLimiter(UINT_PTR timerId, DWORD intervalMs) : timerId_(timerId), interval_(intervalMs) {}
  BurstLimiter(DWORD intervalMs, std::function<void()> due) : interval_(intervalMs), due_(std::move(due)) {}
  ~BurstLimiter() { Stop(nullptr); }
  BurstLimiter(const BurstLimiter&) = delete;
  BurstLimiter& operator=(const BurstLimiter&) = delete;

  // True when the change may be applied now; otherwise a WM_TIMER with the
  // limiter's identifier will come for it.
  bool Due(HWND hwnd) {
    if (pending_) return false;
    DWORD now = ::GetTickCount();
    if (now - last_ >= interval_) {
      last_ = now;
      return true;
    }
    pending_ = Start(hwnd, interval_ - (now - last_));
    if (!pending_) last_ = now;
    return !pending_;
  }

  // Puts the pending change off for `ms` (a WM_TIMER comes for it then).
  void PutOff(HWND hwnd, DWORD ms) {
    if (pending_) Stop(hwnd);
    pending_ = Start(hwnd, ms);
  }

  // True for the limiter's own timer message: apply the change now.
  bool Fired(HWND hwnd, WPARAM timerId) {
    if (due_ || timerId != timerId_) return false;
    ::KillTimer(hwnd, timerId_);
    pending_ = false;
    last_ = ::GetTickCount();
    return true;
  }

 private:
  static std::map<UINT_PTR, BurstLimiter*>& ThreadTimers() {
    static std::map<UINT_PTR, BurstLimiter*> timers;
    return timers;
  }
  static void CALLBACK OnThreadTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = ThreadTimers().find(id);
    if (it == ThreadTimers().end()) {
      ::KillTimer(nullptr, id);
      return;
    }
    BurstLimiter* self = it->second;
    self->Stop(nullptr);
    self->pending_ = false;
    self->last_ = ::GetTickCount();
    self->due_();
  }
  bool Start(HWND hwnd, DWORD ms) {
    if (!due_) return ::SetTimer(hwnd, timerId_, ms, nullptr) != 0;
    threadTimer_ = ::SetTimer(nullptr, 0, ms, &OnThreadTimer);
    if (threadTimer_) ThreadTimers()[threadTimer_] = this;
    return threadTimer_ != 0;
  }
  void Stop(HWND hwnd) {
    if (!due_) {
      if (hwnd) ::KillTimer(hwnd, timerId_);
      return;
    }
    if (!threadTimer_) return;
    ::KillTimer(nullptr, threadTimer_);
    ThreadTimers().erase(threadTimer_);
    threadTimer_ = 0;
  }

  UINT_PTR timerId_ = 0;
  DWORD interval_;
  std::function<void()> due_;
  UINT_PTR threadTimer_ = 0;
  DWORD last_ = ::GetTickCount() - 100000;
  bool pending_ = false;
};

}  // namespace nimbul::ui::win32
