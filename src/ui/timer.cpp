#include "ui/timer.h"

#include "ui/application.h"

namespace nimbul::ui {

Timer::Timer(Application& app, unsigned intervalMs, bool enabled)
    : app_(app), interval_(intervalMs), enabled_(enabled) {
  if (enabled_) Start();
}

Timer::~Timer() { Stop(); }

void Timer::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  if (e)
    Start();
  else
    Stop();
}

void Timer::SetInterval(unsigned ms) {
  interval_ = ms;
  if (enabled_) {
    Stop();
    Start();
  }
}

void Timer::Start() {
  if (interval_ == 0) return;
  id_ = app_.Sys().timers.StartTimer(interval_, [this] { app_.Guard(OnTimer); });
}

void Timer::Stop() {
  if (id_ != 0) app_.Sys().timers.KillTimer(id_);
  id_ = 0;
}

}  // namespace nimbul::ui
