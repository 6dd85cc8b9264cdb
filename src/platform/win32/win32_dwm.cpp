#include "platform/win32/win32_dwm.h"

#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {

constexpr char kDwmLibrary[] = "dwmapi.dll";
// The attribute that says whether a window is cloaked, and under which
// systems (SDKs before Windows 8 do not name it).
constexpr DWORD kDwmwaCloaked = 14;

using IsCompositionEnabledFn = HRESULT WINAPI(BOOL*);
using GetWindowAttributeFn = HRESULT WINAPI(HWND, DWORD, PVOID, DWORD);

}  // namespace

bool FramesComposed() {
  static auto* const enabled = LateBound<IsCompositionEnabledFn>(kDwmLibrary, "DwmIsCompositionEnabled");
  BOOL composed = FALSE;
  // Asked each time: before Windows 8 the user can switch composition off and on.
  return enabled && SUCCEEDED(enabled(&composed)) && composed;
}

bool WindowCloaked(HWND w) {
  static auto* const attribute = LateBound<GetWindowAttributeFn>(kDwmLibrary, "DwmGetWindowAttribute");
  if (!attribute || !w) return false;
  DWORD cloaked = 0;
  return SUCCEEDED(attribute(w, kDwmwaCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

}  // namespace nimbul::platform::win32
