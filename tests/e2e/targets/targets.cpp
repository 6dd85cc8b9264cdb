// The target-window helper of the end-to-end tests: opens top-level windows
// with the titles and classes its command line gives, then does what the
// driver tells it through window messages until it is told to quit.
//
//   targets.exe [--class NAME] [--hidden|--shown] [--refuse-hide] TITLE [--child CLASS] ...
//
// Each TITLE opens one window of the current class ("NimbulTarget" until a
// --class names another, such as a "Progman" stand-in); --hidden opens the
// following windows without showing them, --shown goes back to showing;
// --refuse-hide makes the next window refuse to be hidden, as a program that
// runs as administrator looks to one that does not.
// --child puts a child window of CLASS into the window opened last (the
// desktop's icon view in a "WorkerW" stand-in).
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "../lib/target_commands.h"

namespace {

namespace cmd = nimbul::e2e::targets;

std::vector<HWND> g_targets;
LRESULT g_lastKey = 0;
HWND g_interloper = nullptr;
HWND g_afterInterlude = nullptr;
constexpr UINT_PTR kInterludeTimer = 1;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    UINT modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= cmd::kKeyShift;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= cmd::kKeyCtrl;
    if (GetKeyState(VK_MENU) < 0) modifiers |= cmd::kKeyAlt;
    g_lastKey = static_cast<LRESULT>(MAKELONG(wParam, modifiers));
  }
  // Closing a target only destroys it: the helper lives on until kQuit.
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StubbornProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_HIDEWINDOW;
  return TargetProc(window, message, wParam, lParam);
}

HWND TargetAt(WPARAM index) { return index < g_targets.size() ? g_targets[index] : nullptr; }

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case cmd::kGetWindowCount: return static_cast<LRESULT>(g_targets.size());
    case cmd::kGetWindow: return reinterpret_cast<LRESULT>(TargetAt(wParam));
    case cmd::kShowTarget:
      if (HWND t = TargetAt(wParam)) ShowWindow(t, static_cast<int>(lParam));
      return 0;
    case cmd::kCloseTarget:
      if (HWND t = TargetAt(wParam)) DestroyWindow(t);
      return 0;
    case cmd::kHang: Sleep(static_cast<DWORD>(wParam)); return 0;
    case cmd::kGetLastKey: return g_lastKey;
    case cmd::kHoldHotkey: return RegisterHotKey(window, 1, 0, static_cast<UINT>(wParam));
    case cmd::kForeground: return SetForegroundWindow(reinterpret_cast<HWND>(lParam));
    case cmd::kInterlude:
      if (!g_interloper) {
        g_interloper = CreateWindowExA(0, cmd::kDefaultTargetClass, "Interlude", WS_OVERLAPPEDWINDOW, 500, 300, 200,
                                       120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(g_interloper, SW_SHOW);
        SetForegroundWindow(g_interloper);
      }
      g_afterInterlude = lParam > 0 ? TargetAt(static_cast<WPARAM>(lParam - 1)) : nullptr;
      SetTimer(window, kInterludeTimer, static_cast<UINT>(wParam), nullptr);
      return 0;
    case WM_TIMER:
      KillTimer(window, kInterludeTimer);
      if (g_interloper) DestroyWindow(g_interloper);
      g_interloper = nullptr;
      if (g_afterInterlude) SetForegroundWindow(g_afterInterlude);
      return 0;
    case cmd::kQuit: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance, const std::string& name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name.c_str();
  return RegisterClassA(&wc) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::set<std::string> registered;
  std::string className = cmd::kDefaultTargetClass;
  bool shown = true, refuseHide = false;
  for (int i = 1; i < __argc; ++i) {
    const std::string arg = __argv[i];
    // Holds a file open, shared with nobody, until the helper ends (a virus
    // scanner, say, that has the file in its hands).
    if (arg == "--hold" && i + 1 < __argc) {
      HANDLE held = CreateFileA(__argv[++i], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (held == INVALID_HANDLE_VALUE) return 4;
      continue;
    }
    if (arg == "--refuse-hide") {
      refuseHide = true;
      continue;
    }
    if (arg == "--class" && i + 1 < __argc) {
      className = __argv[++i];
      continue;
    }
    if (arg == "--child" && i + 1 < __argc) {
      const std::string childClass = __argv[++i];
      if (g_targets.empty() ||
          (registered.insert(childClass).second && !RegisterWindowClass(instance, childClass, TargetProc)))
        return 2;
      if (!CreateWindowExA(0, childClass.c_str(), "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, g_targets.back(), nullptr,
                           instance, nullptr))
        return 3;
      continue;
    }
    if (arg == "--hidden" || arg == "--shown") {
      shown = arg == "--shown";
      continue;
    }
    if (registered.insert(className).second && !RegisterWindowClass(instance, className, TargetProc)) {
      return 2;
    }
    const int offset = 24 * static_cast<int>(g_targets.size() % 12);
    HWND w = CreateWindowExA(0, className.c_str(), arg.c_str(), WS_OVERLAPPEDWINDOW, 40 + offset, 40 + offset, 320, 200,
                             nullptr, nullptr, instance, nullptr);
    if (!w) return 3;
    if (refuseHide) SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StubbornProc));
    refuseHide = false;
    if (shown) ShowWindow(w, SW_SHOWNOACTIVATE);
    g_targets.push_back(w);
  }

  // Created last, so the driver finding it means every target exists.
  if (!RegisterWindowClass(instance, cmd::kControlClass, ControlProc) ||
      !CreateWindowExA(0, cmd::kControlClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr)) {
    return 4;
  }

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
