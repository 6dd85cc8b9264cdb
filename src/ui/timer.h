// A timer model on the platform's timers.
#pragma once
#include <cstdint>
#include <functional>

namespace nimbul::ui {

class Application;

class Timer {
 public:
  explicit Timer(Application& app, unsigned intervalMs = 1000, bool enabled = true);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  std::function<void()> OnTimer;

 private:
  void Start();
  void Stop();
  Application& app_;
  unsigned interval_;
  bool enabled_;
  std::uint32_t id_ = 0;
};

}  // namespace nimbul::ui
