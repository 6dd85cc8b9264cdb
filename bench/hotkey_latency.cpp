// Hotkey latency: from an injected F9 keystroke to the foreground window
// being invisible, for Nimbul.exe against a minimal program that registers
// F9 and hides the foreground window, and against the same program when it
// also writes the one registry value of Nimbulon's journal; median of 40
// presses each.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench.h"
#include "own_folder.h"

using namespace nimbul;

namespace {

using nimbul::bench::OwnFolder;

constexpr DWORD kSettleMs = 150;

PROCESS_INFORMATION Start(const std::string& exe, const std::string& args) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string cmd = "\"" + exe + "\"" + args;
  if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, OwnFolder().c_str(), &si, &pi))
    std::fprintf(stderr, "hotkey_latency: cannot start %s\n", exe.c_str());
  return pi;
}

// Ends a program the way it ends itself, so its hotkey is given back before
// the next program asks for the same key: a killed process may keep it.
void Stop(PROCESS_INFORMATION& pi, HWND mainWindow = nullptr) {
  if (!pi.hProcess) return;
  if (mainWindow)
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  else
    PostThreadMessageA(pi.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void Key(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  // Wine matches hotkeys by the key's scan code as well.
  in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

template <typename F>
bool WaitFor(F condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Pump();
    Sleep(0);
  }
  return true;
}

// Presses F9 `presses` times with `target` in the foreground; `reset`
// brings the window back between presses.
std::vector<double> Measure(HWND target, int presses, void (*reset)(HWND)) {
  std::vector<double> samples;
  for (int i = 0; i < presses; ++i) {
    if (!WaitFor(
            [&] {
              SetForegroundWindow(target);
              return GetForegroundWindow() == target && IsWindowVisible(target);
            },
            5000))
      std::fprintf(stderr, "hotkey_latency: the target did not come to the foreground (%p)\n",
                   static_cast<void*>(GetForegroundWindow()));
    // A user presses F9 a moment after the window came to the front, when
    // the programs have taken the switch in (Nimbulon lists the windows anew
    // as it loses the activation); a press in the same instant would time
    // that instead.
    WaitFor([] { return false; }, kSettleMs);
    auto start = bench::Clock::now();
    Key(VK_F9);
    if (!WaitFor([&] { return !IsWindowVisible(target); }, 5000)) {
      std::fprintf(stderr, "hotkey_latency: press %d hid nothing\n", i);
      break;
    }
    samples.push_back(bench::MillisecondsSince(start));
    reset(target);
    // Let the program finish what the reset set off (list updates come in
    // batches), so each press meets it idle, as a user's press would.
    Sleep(400);
  }
  return samples;
}

void ShowAgain(HWND target) { ShowWindow(target, SW_SHOW); }
// Nimbulon keeps the window in its hidden list until it shows it itself.
void ShowAllWithF7(HWND target) {
  Key(VK_F7);
  WaitFor([&] { return IsWindowVisible(target) != FALSE; }, 5000);
}

}  // namespace

int main() {
  const std::string folder = OwnFolder();
  // The window to hide belongs to a program of its own, as it would on a
  // real desktop: the end-to-end tests' target helper, with a second window
  // to take the activation when the first goes.
  PROCESS_INFORMATION helper = Start(folder + "targets.exe", " \"Hotkey latency target\" \"Backdrop\"");
  HWND target = nullptr;
  WaitFor([&] { return (target = FindWindowA("NimbulTarget", "Hotkey latency target")) != nullptr; }, 20000);
  if (!target) {
    std::printf("Hotkey latency: not measured (no target window)\n");
    Stop(helper);
    return 1;
  }
  const int presses = 40;

  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quendel-Soft\\Nimbul", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    DWORD one = 1;
    RegSetValueExA(key, "SchonXgestartet", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
    RegCloseKey(key);
  }
  PROCESS_INFORMATION nimbul = Start(folder + "Nimbul.exe", "");
  HWND nimbulMain = nullptr;
  // Shown means started: the message loop runs and the hotkeys are registered.
  WaitFor(
      [&] {
        nimbulMain = FindWindowA("TfrmNimbulMain", "Nimbulon");
        return nimbulMain && IsWindowVisible(nimbulMain);
      },
      20000);
  auto figure = Measure(target, presses, ShowAllWithF7);
  Stop(nimbul, nimbulMain);

  PROCESS_INFORMATION minimal = Start(folder + "bench_minimal_hotkey.exe", " --serve");
  WaitFor([] { return FindWindowA(nullptr, "Minimal Hotkey") != nullptr; }, 20000);
  auto baseline = Measure(target, presses, ShowAgain);
  Stop(minimal);

  PROCESS_INFORMATION journaling = Start(folder + "bench_minimal_hotkey.exe", " --serve-journal");
  WaitFor([] { return FindWindowA(nullptr, "Minimal Hotkey") != nullptr; }, 20000);
  auto withJournal = Measure(target, presses, ShowAgain);
  Stop(journaling);

  PostMessageA(FindWindowA("NimbulTargetsControl", nullptr), WM_APP + 6, 0, 0);  // the helper's quit command
  Stop(helper);
  if (figure.empty()) {
    std::printf("Hotkey latency: not measured\n");
    return 1;
  }
  if (baseline.empty()) {
    std::printf("Hotkey latency (F9 to hidden), median of %d: %.1f ms; baseline not measured\n", presses,
                bench::Median(figure));
    return 1;
  }
  bench::PrintFigure("Hotkey latency (F9 to hidden), median of " + std::to_string(presses),
                     {bench::Median(figure), "ms"}, {bench::Median(baseline), "ms"});
  if (!withJournal.empty())
    bench::PrintFigure("Hotkey latency against a program that also writes the journal value",
                       {bench::Median(figure), "ms"}, {bench::Median(withJournal), "ms"});
  return 0;
}
