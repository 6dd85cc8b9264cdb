// The baselines of the hotkey figure: a program that registers F9 and hides
// the foreground window on WM_HOTKEY. Run by bench_hotkey_latency with
// --serve; with --serve-journal it first records the window in one volatile
// registry value, as Nimbulon's journal does, so the second baseline pays for
// the write that keeps a hidden window from being lost. Alone it does nothing.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// The journal's record of the window (handle, process, class, title), in a
// volatile key of its own, opened and closed around the write.
void RecordInJournal(HWND window) {
  char className[256] = {}, title[256] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char record[600];
  std::snprintf(record, sizeof record, "%lu\t%lu\t%s\t%s",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), process, className, title);
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quendel-Soft\\NimbulBench\\Hidden", 0, nullptr, REG_OPTION_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "0", 0, REG_SZ, reinterpret_cast<const BYTE*>(record),
                 static_cast<DWORD>(std::strlen(record) + 1));
  RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 0;
  const bool journal = std::strcmp(argv[1], "--serve-journal") == 0;
  if (!journal && std::strcmp(argv[1], "--serve") != 0) return 0;
  // The thread's own registration; the hidden window tells the benchmark
  // that it is in place.
  RegisterHotKey(nullptr, 1, 0, VK_F9);
  CreateWindowExA(0, "STATIC", "Minimal Hotkey", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_HOTKEY) {
      HWND window = GetForegroundWindow();
      if (journal) RecordInJournal(window);
      ShowWindow(window, SW_HIDE);
    }
    DispatchMessageA(&msg);
  }
  if (journal) RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quendel-Soft\\NimbulBench\\Hidden");
  return 0;
}
