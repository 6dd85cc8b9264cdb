#include "desktop.h"

#include <commctrl.h>

namespace nimbul::e2e {
namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

struct ChildSearch {
  const std::string* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<ChildSearch*>(search);
  if (s->className->empty() || ClassOf(window) == *s->className) s->found.push_back(window);
  return TRUE;
}

}  // namespace

std::string TitleOf(HWND window) {
  char text[512] = {};
  // For another process's window this reads the stored title and sends no
  // message, so a hung target is read all the same.
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

DWORD ProcessOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> FindTopLevel(const WindowQuery& query) {
  std::vector<HWND> found;
  for (HWND w : TopLevelWindows()) {
    if (query.visibleOnly && !IsWindowVisible(w)) continue;
    if (query.processId && ProcessOf(w) != query.processId) continue;
    if (query.className && ClassOf(w) != *query.className) continue;
    if (query.title && TitleOf(w) != *query.title) continue;
    found.push_back(w);
  }
  return found;
}

HWND WaitForTopLevel(const WindowQuery& query, Millis timeout) {
  return WaitFor(
      [&]() -> HWND {
        auto found = FindTopLevel(query);
        return found.empty() ? nullptr : found.front();
      },
      timeout);
}

std::vector<HWND> TaskbarTooltips() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (!taskbar) return {};
  return FindTopLevel({std::string("tooltips_class32"), std::nullopt, ProcessOf(taskbar), false});
}

int TrayIconCount() {
  if (!FindWindowA("Shell_TrayWnd", nullptr)) return -1;
  int n = 0;
  for (HWND tip : TaskbarTooltips()) {
    DWORD_PTR tools = 0;
    if (SendMessageTimeoutA(tip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &tools)) n += static_cast<int>(tools);
  }
  return n;
}

std::vector<HWND> ChildrenOf(HWND parent, const std::string& className) {
  ChildSearch search{&className, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child : ChildrenOf(parent)) {
    if (TitleOf(child) == text) return child;
  }
  return nullptr;
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace nimbul::e2e
