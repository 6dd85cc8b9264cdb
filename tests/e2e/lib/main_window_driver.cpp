#include "main_window_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "desktop.h"
#include "input.h"
#include "polling.h"

namespace nimbul::e2e {

HWND ToolBarOf(HWND mainWindow) {
  auto bars = ChildrenOf(mainWindow, TOOLBARCLASSNAMEA);
  return bars.empty() ? nullptr : bars.front();
}

RECT ToolButtonRect(HWND toolBar, int index) {
  RemoteMemory mem(toolBar, sizeof(RECT));
  RECT r{};
  if (!SendWithDeadline(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(mem.address())))
    throw std::runtime_error("no such tool button");
  mem.Read(0, &r, sizeof(r));
  MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ClickToolButton(HWND toolBar, int index) {
  POINT p = CentreOf(ToolButtonRect(toolBar, index));
  MoveMouseTo({p.x - 1, p.y});
  ClickAt(p);
}

bool Activate(HWND window) {
  // Under Wine a window shown again without activation lands on top of the
  // Z-order, and the foreground window does not rise by being made the
  // foreground again: lift it first, so it is in front and clickable.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  const bool foreground = WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
  // The foreground moves at once, but the window's own thread takes the
  // activation in (and raises the window) later, from its queue. A message
  // sent after it returns only when that is done, so the next activation or
  // look at the Z-order does not race it.
  DWORD_PTR ignored = 0;
  if (foreground) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  return foreground;
}

std::vector<std::string> ListedNames(const RemoteListView& list) {
  std::vector<std::string> out;
  for (auto& row : list.Rows(2))
    if (!row[1].empty()) out.push_back(row[0]);
  return out;
}

std::vector<std::string> ListedHandles(const RemoteListView& list) {
  std::vector<std::string> out;
  for (auto& row : list.Rows(2))
    if (!row[1].empty()) out.push_back(row[1]);
  return out;
}

bool Listed(const RemoteListView& list, HWND window) {
  const auto handles = ListedHandles(list);
  return std::find(handles.begin(), handles.end(), HandleText(window)) != handles.end();
}

std::string HandleText(HWND window) {
  return std::to_string(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
}

bool DoubleClickRowOf(const RemoteListView& list, HWND window) {
  auto handles = list.Rows(2);
  for (int i = 0; i < static_cast<int>(handles.size()); ++i)
    if (handles[static_cast<size_t>(i)][1] == HandleText(window)) {
      DoubleClickAt(list.RowPointOnScreen(i));
      return true;
    }
  return false;
}

}  // namespace nimbul::e2e
