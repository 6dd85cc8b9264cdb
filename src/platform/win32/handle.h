// Owned system handles: one template, one close policy per kind of handle.
#pragma once
#include <windows.h>
#include <wininet.h>

#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

// Policy: `Value` is the raw handle type, `Invalid()` the value that owns
// nothing, `Close(v)` gives a valid handle back to the system.
template <typename Policy>
class UniqueHandle {
 public:
  using Value = typename Policy::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value v) : value_(v) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Value get() const { return value_; }
  explicit operator bool() const { return value_ != Policy::Invalid(); }

  // Gives up ownership without closing.
  Value release() {
    Value v = value_;
    value_ = Policy::Invalid();
    return v;
  }

  void reset(Value v = Policy::Invalid()) {
    if (value_ != Policy::Invalid()) Policy::Close(value_);
    value_ = v;
  }

 private:
  Value value_ = Policy::Invalid();
};

// Kernel objects whose failure value is null: mutexes, events, threads.
struct KernelPolicy {
  using Value = HANDLE;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::CloseHandle(v); }
};

// CreateFileA reports failure as INVALID_HANDLE_VALUE, not null.
struct FilePolicy {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value v) { ::CloseHandle(v); }
};

struct FindPolicy {
  using Value = HANDLE;
  static Value Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Value v) { ::FindClose(v); }
};

struct RegKeyPolicy {
  using Value = HKEY;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::RegCloseKey(v); }
};

struct IconPolicy {
  using Value = HICON;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DestroyIcon(v); }
};

struct InternetPolicy {
  using Value = HINTERNET;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) {
    static auto* const close = LateBound<decltype(::InternetCloseHandle)>("wininet.dll", "InternetCloseHandle");
    if (close) close(v);
  }
};

template <typename Gdi>
struct GdiPolicy {
  using Value = Gdi;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DeleteObject(v); }
};

// A memory device context of our own (CreateCompatibleDC).
struct MemoryDcPolicy {
  using Value = HDC;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DeleteDC(v); }
};

// One reference in the global atom table.
struct AtomPolicy {
  using Value = ATOM;
  static Value Invalid() { return 0; }
  static void Close(Value v) { ::GlobalDeleteAtom(v); }
};

struct WindowPolicy {
  using Value = HWND;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DestroyWindow(v); }
};

using KernelHandle = UniqueHandle<KernelPolicy>;
using FileHandle = UniqueHandle<FilePolicy>;
using FindHandle = UniqueHandle<FindPolicy>;
using RegKey = UniqueHandle<RegKeyPolicy>;
using IconHandle = UniqueHandle<IconPolicy>;
using InternetHandle = UniqueHandle<InternetPolicy>;
using BitmapHandle = UniqueHandle<GdiPolicy<HBITMAP>>;
using BrushHandle = UniqueHandle<GdiPolicy<HBRUSH>>;
using FontHandle = UniqueHandle<GdiPolicy<HFONT>>;
using AtomRef = UniqueHandle<AtomPolicy>;
using MemoryDc = UniqueHandle<MemoryDcPolicy>;
using WindowHandle = UniqueHandle<WindowPolicy>;

}  // namespace nimbul::platform::win32
