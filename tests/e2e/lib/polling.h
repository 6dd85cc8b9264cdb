// Waiting under Wine: poll a condition with a generous deadline instead of
// sleeping for a guessed time. A first start in a fresh prefix can take
// seconds; a poll returns as soon as the condition holds.
#pragma once
#include <chrono>
#include <thread>

namespace nimbul::e2e {

using Millis = std::chrono::milliseconds;

inline constexpr Millis kPatience{20000};
inline constexpr Millis kPollInterval{20};

// Polls `condition` until it holds or `timeout` has passed; returns whether
// it held.
template <typename Condition>
bool WaitUntil(Condition condition, Millis timeout = kPatience) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

// Polls `probe` until it yields something that tests true (a window handle,
// a non-empty optional) and returns that, or the empty value on timeout.
template <typename Probe>
auto WaitFor(Probe probe, Millis timeout = kPatience) -> decltype(probe()) {
  decltype(probe()) result{};
  WaitUntil(
      [&] {
        result = probe();
        return static_cast<bool>(result);
      },
      timeout);
  return result;
}

}  // namespace nimbul::e2e
