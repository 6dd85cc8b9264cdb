// Start-up figure: time from the process start to the main window being
// visible, for Nimbul.exe against a program that opens one window, median
// of 20 runs each (NIMBUL_BENCH_RUNS sets another number). The runs alternate between the two programs so that a
// slow phase of the machine hits both alike.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench.h"
#include "own_folder.h"
#include "platform/win32/handle.h"

namespace {

namespace bench = nimbul::bench;
using nimbul::platform::win32::KernelHandle;
using nimbul::platform::win32::RegKey;

constexpr int kDefaultRuns = 20;
constexpr DWORD kGiveUpMs = 30000;

using nimbul::bench::OwnFolder;

struct Search {
  DWORD processId;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char title[256] = {};
  if (pid == s->processId && IsWindowVisible(w) && GetWindowTextA(w, title, sizeof title) &&
      std::string(title) == s->caption) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindowOf(DWORD processId, const char* caption) {
  Search search{processId, caption, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from CreateProcess to the visible window, or nothing when
// the program failed to start or to show it in time. The program is closed
// and waited for before the next run, so no two instances overlap.
std::optional<double> TimeToVisibleWindow(const std::string& exe, const std::string& arguments, const char* caption) {
  std::string commandLine = "\"" + exe + "\"" + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const auto start = bench::Clock::now();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return std::nullopt;
  }
  CloseHandle(info.hThread);
  const KernelHandle process(info.hProcess);
  std::optional<double> elapsed;
  HWND window = nullptr;
  while (!window && bench::MillisecondsSince(start) < kGiveUpMs &&
         WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
    window = VisibleWindowOf(info.dwProcessId, caption);
    if (window) {
      elapsed = bench::MillisecondsSince(start);
    } else {
      Sleep(1);
    }
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), kGiveUpMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), kGiveUpMs);
  }
  return elapsed;
}

// The figure measures a plain start, not the first-start notice.
void MarkProfileAsStartedBefore() {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quendel-Soft\\Nimbul", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const RegKey key(raw);
  const DWORD started = 1;
  RegSetValueExA(key.get(), "SchonXgestartet", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&started), sizeof started);
}

}  // namespace

int main() {
  const char* overridden = std::getenv("NIMBUL_EXE");
  const std::string nimbul = overridden && *overridden ? overridden : OwnFolder() + "Nimbul.exe";
  const std::string minimal = OwnFolder() + "bench_minimal_window.exe";
  MarkProfileAsStartedBefore();
  const char* runsText = std::getenv("NIMBUL_BENCH_RUNS");
  const int runs = runsText && std::atoi(runsText) > 0 ? std::atoi(runsText) : kDefaultRuns;

  // One start of each first, so neither pays alone for loading the system
  // libraries into the cache.
  TimeToVisibleWindow(minimal, " --window", "Minimal Window");
  TimeToVisibleWindow(nimbul, "", "Nimbulon");

  std::vector<double> program, baseline;
  for (int i = 0; i < runs; ++i) {
    auto b = TimeToVisibleWindow(minimal, " --window", "Minimal Window");
    auto p = TimeToVisibleWindow(nimbul, "", "Nimbulon");
    if (!b || !p) {
      std::fprintf(stderr, "startup: %s did not show its window\n", !p ? nimbul.c_str() : minimal.c_str());
      return 1;
    }
    baseline.push_back(*b);
    program.push_back(*p);
  }
  bench::PrintFigure("startup to visible main window", {bench::Median(program), "ms"}, {bench::Median(baseline), "ms"});
  return 0;
}
