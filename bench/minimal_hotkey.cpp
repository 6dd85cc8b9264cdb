// The baseline of the hotkey figure: a program that registers F9 and hides
// the foreground window on WM_HOTKEY. Run by bench_hotkey_latency with
// --serve; alone it does nothing.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--serve") != 0) return 0;
  // The thread's own registration; the hidden window tells the benchmark
  // that it is in place.
  RegisterHotKey(nullptr, 1, 0, VK_F9);
  CreateWindowExA(0, "STATIC", "Minimal Hotkey", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) ShowWindow(GetForegroundWindow(), SW_HIDE);
    DispatchMessageA(&msg);
  }
  return 0;
}
