#include "platform/shell_windows.h"

#include <string>

namespace nimbul::platform {

namespace {

// Class names are ASCII and compare without regard to case, as the system compares them.
bool SameClass(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return i == a.size() && !b[i];
}

bool HoldsIconView(WindowManager& wm, Hwnd w) { return !IsNull(wm.FindWindowExA(w, {}, kIconViewClass)); }

}  // namespace

Hwnd DesktopIconWindow(WindowManager& wm) {
  const Hwnd desktop = wm.FindWindowA(kDesktopClass);
  if (IsNull(desktop) || HoldsIconView(wm, desktop)) return desktop;
  for (Hwnd w = wm.FindWindowExA({}, {}, kWorkerClass); !IsNull(w); w = wm.FindWindowExA({}, w, kWorkerClass))
    if (HoldsIconView(wm, w)) return w;
  return desktop;
}

std::vector<Hwnd> Taskbars(WindowManager& wm) {
  std::vector<Hwnd> out;
  for (const char* cls : kTaskbarClasses)
    for (Hwnd w = wm.FindWindowExA({}, {}, cls); !IsNull(w); w = wm.FindWindowExA({}, w, cls)) out.push_back(w);
  return out;
}

bool IsShellWindow(WindowManager& wm, Hwnd w) {
  if (IsNull(w)) return false;
  const std::string cls = wm.GetClassNameA(w);
  auto is = [&](const char* name) { return SameClass(cls, name); };
  if (is(kDesktopClass)) return true;
  for (const char* taskbar : kTaskbarClasses)
    if (is(taskbar)) return true;
  return is(kWorkerClass) && HoldsIconView(wm, w);
}

}  // namespace nimbul::platform
