// Lets a burst of model changes reach a native control at most every so
// many milliseconds: the first change of a burst at once, the last one when
// the interval is over. Under Wine each text or position change of a
// visible control costs a repaint of up to a millisecond; a download's
// thousands of progress reports would otherwise spend their time there.
#pragma once
#include <windows.h>

namespace nimbul::ui::win32 {

class BurstLimiter {
 public:
  BurstLimiter(UINT_PTR timerId, DWORD intervalMs) : timerId_(timerId), interval_(intervalMs) {}

  // True when the change may be applied now; otherwise a WM_TIMER with the
  // limiter's identifier will come for it.
  bool Due(HWND hwnd) {
    if (pending_) return false;
    DWORD now = ::GetTickCount();
    if (now - last_ >= interval_) {
      last_ = now;
      return true;
    }
    pending_ = ::SetTimer(hwnd, timerId_, interval_ - (now - last_), nullptr) != 0;
    if (!pending_) last_ = now;
    return !pending_;
  }

  // Puts the pending change off for `ms` (a WM_TIMER comes for it then).
  void PutOff(HWND hwnd, DWORD ms) {
    if (pending_) ::KillTimer(hwnd, timerId_);
    pending_ = ::SetTimer(hwnd, timerId_, ms, nullptr) != 0;
  }

  // True for the limiter's own timer message: apply the change now.
  bool Fired(HWND hwnd, WPARAM timerId) {
    if (timerId != timerId_) return false;
    ::KillTimer(hwnd, timerId_);
    pending_ = false;
    last_ = ::GetTickCount();
    return true;
  }

 private:
  UINT_PTR timerId_;
  DWORD interval_;
  DWORD last_ = ::GetTickCount() - 100000;
  bool pending_ = false;
};

}  // namespace nimbul::ui::win32
