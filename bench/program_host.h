// The program's own objects in a benchmark process: the real platform, the
// native peers and the main window, started as the program starts it (but
// never as a first start, whose notice would wait for a click).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "settings/settings.h"
#include "platform/win32/win32_platform.h"
#include "ui/application.h"
#include "ui/win32/win32_backend.h"

namespace nimbul::bench {

struct ProgramHost {
  platform::win32::Win32Platform platform;
  ui::win32::Win32Backend backend{platform.platform};
  ui::Application app{platform.platform, backend};
  app::TfrmNimbulMain* main = nullptr;

  ProgramHost() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    {
      settings::SettingsAccessor s(platform.platform.registry);
      s.OpenKey(settings::kSettingsKey, true);
      s.SetFlag("SchonXgestartet", true);
    }
    backend.SetApplication(&app);
    app.Initialize();
    main = &app.CreateForm<app::TfrmNimbulMain>();
    app.SetTitle("Nimbul");
    main->Show();
  }

  // Puts the main window on top of every other window of the desktop.
  void MainOnTop() {
    SetWindowPos(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(main->Handle())), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  HWND MainHwnd() const { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(main->Handle())); }
};

// Hides a window through its item in the tray menu, as a user would.
inline void HideFromTray(app::TfrmNimbulMain& main, HWND h) {
  ui::MenuItem item("", "");
  item.SetPayload(platform::Hwnd{static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(h))});
  main.TrayHideWindowClick(item);
}

// Visible, titled top-level windows of a private class, created by this thread.
inline std::vector<HWND> OpenWindows(int count, const char* prefix) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "NimbulBenchWindow";
    RegisterClassA(&wc);
    registered = true;
  }
  std::vector<HWND> out;
  for (int i = 0; i < count; ++i) {
    std::string title = std::string(prefix) + " " + std::to_string(i);
    out.push_back(CreateWindowExA(0, "NimbulBenchWindow", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10 + i % 50,
                                  10 + i % 40, 120, 60, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  }
  return out;
}

// What a rebuild of the visible list asks the window manager, and nothing else.
inline int BareEnumeration(HWND start) {
  int visible = 0;
  char title[256];
  for (HWND w = start; w;) {
    w = GetWindow(w, GW_HWNDNEXT);
    GetWindowTextA(w, title, sizeof title);
    if (IsWindowVisible(w)) ++visible;
  }
  return visible;
}

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace nimbul::bench
