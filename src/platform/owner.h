// Ownership of what a service hands out: a registry key, an icon copy, an
// atom, a mutex, a window. The service that opens something returns its
// owner with the way to give it back, so portable code never calls a close
// function and nothing outlives the owner that took it.
#pragma once
#include <functional>
#include <utility>

#include "platform/types.h"

namespace nimbul::platform {

template <class H>
class Owned {
 public:
  using Closer = std::function<void(H)>;

  Owned() = default;
  Owned(H h, Closer close) : h_(h), close_(std::move(close)) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(o.h_), close_(std::move(o.close_)) { o.h_ = H{}; }
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = o.h_;
      close_ = std::move(o.close_);
      o.h_ = H{};
    }
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return !IsNull(h_); }
  // Gives up ownership without closing.
  H release() {
    H h = h_;
    h_ = H{};
    close_ = nullptr;
    return h;
  }
  void reset() {
    if (!IsNull(h_) && close_) close_(h_);
    h_ = H{};
    close_ = nullptr;
  }

 private:
  H h_{};
  Closer close_;
};

using KeyOwner = Owned<Hkey>;
using IconOwner = Owned<Hicon>;
using AtomOwner = Owned<Atom>;
using HandleOwner = Owned<Handle>;
using WindowOwner = Owned<Hwnd>;

}  // namespace nimbul::platform
