// Timers and the hand-over of work to the user-interface thread.
#pragma once
#include <cstdint>
#include <functional>

namespace nimbul::platform {

class Timers {
 public:
  virtual ~Timers() = default;
  // Calls `tick` every `intervalMs` on the user-interface thread until killed.
  virtual std::uint32_t StartTimer(unsigned intervalMs, std::function<void()> tick) = 0;
  virtual void KillTimer(std::uint32_t id) = 0;
  // Milliseconds since some fixed start.
  virtual std::uint64_t Now() = 0;
};

}  // namespace nimbul::platform
