// Lets a burst of model changes reach a native control at most every so
// many milliseconds: the first change of a burst at once, the last one when
// the interval is over. Under Wine each text or position change of a
// visible control costs a repaint of up to a millisecond; a download's
// thousands of progress reports would otherwise spend their time there.
//
// The limiter's timer is the control's own (a WM_TIMER with its identifier),
// or, given a callback, one of a hidden window that the limiters share: under
// Wine a list view loses the timers of its own window while it tracks a click.
// Each limiter keeps one identifier on that window for good, and setting it
// again replaces its timer. Thread timers take a new identifier from the
// system each time and ran through its 32,000 or so within minutes of steady
// use; long runs of the program found its lists no longer updated about then.
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
  static std::map<UINT_PTR, BurstLimiter*>& Shared() {
    static std::map<UINT_PTR, BurstLimiter*> limiters;
    return limiters;
  }
  static LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    auto it = Shared().find(wParam);
    if (it == Shared().end()) {
      ::KillTimer(hwnd, wParam);
      return 0;
    }
    BurstLimiter* self = it->second;
    self->Stop(nullptr);
    self->pending_ = false;
    self->last_ = ::GetTickCount();
    self->due_();
    return 0;
  }
  static HWND SharedWindow() {
    static const HWND window = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = &SharedWindowProc;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "NimbulonListTimers";
      ::RegisterClassA(&wc);
      return ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return window;
  }
  bool Start(HWND hwnd, DWORD ms) {
    if (!due_) return ::SetTimer(hwnd, timerId_, ms, nullptr) != 0;
    static UINT_PTR next = 1;
    if (!sharedId_) sharedId_ = next++;
    if (!::SetTimer(SharedWindow(), sharedId_, ms, nullptr)) return false;
    Shared()[sharedId_] = this;
    running_ = true;
    return true;
  }
  void Stop(HWND hwnd) {
    if (!due_) {
      if (hwnd) ::KillTimer(hwnd, timerId_);
      return;
    }
    if (!running_) return;
    ::KillTimer(SharedWindow(), sharedId_);
    Shared().erase(sharedId_);
    running_ = false;
  }

  UINT_PTR timerId_ = 0;
  DWORD interval_;
  std::function<void()> due_;
  UINT_PTR sharedId_ = 0;  // this limiter's timer on the shared window, for good
  bool running_ = false;
  DWORD last_ = ::GetTickCount() - 100000;
  bool pending_ = false;
};

}  // namespace nimbul::ui::win32
