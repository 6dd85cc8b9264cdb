// Waiting under Wine: poll a condition with a generous deadline instead of
// sleeping for a guessed time. A first start in a fresh prefix can take
// seconds; a poll returns as soon as the condition holds.
#pragma once
#include <chrono>
#include <thread>
#include <type_traits>
#include <utility>

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

template <typename T, typename = void>
struct HasEmpty : std::false_type {};
template <typename T>
struct HasEmpty<T, std::void_t<decltype(std::declval<const T&>().empty())>> : std::true_type {};

// Whether a probe's result counts as found: a container or text that is not
// empty, otherwise anything that tests true (a window handle, an optional).
template <typename T>
bool Found(const T& value) {
  if constexpr (HasEmpty<T>::value) {
    return !value.empty();
  } else {
    return static_cast<bool>(value);
  }
}

// Polls `probe` until it yields something found (see Found) and returns
// that, or the last result on timeout.
template <typename Probe>
auto WaitFor(Probe probe, Millis timeout = kPatience) -> decltype(probe()) {
  decltype(probe()) result{};
  WaitUntil(
      [&] {
        result = probe();
        return Found(result);
      },
      timeout);
  return result;
}

}  // namespace nimbul::e2e
