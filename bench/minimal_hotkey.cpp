// The baseline of the hotkey figure: a program that registers F9 and hides
// the foreground window on WM_HOTKEY. Run by bench_hotkey_latency with
// --serve; alone it does nothing.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--serve") != 0) return 0;
  HWND window = CreateWindowExA(0, "STATIC", "Minimal Hotkey", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  RegisterHotKey(window, 1, 0, VK_F9);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) ShowWindow(GetForegroundWindow(), SW_HIDE);
    DispatchMessageA(&msg);
  }
  return 0;
}
