// Memory figure: the private bytes of Nimbul.exe once its main window is
// visible and it has settled, against the program that opens one window,
// in the same run. A figure to watch, not a target.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench.h"
#include "own_folder.h"
#include "platform/win32/handle.h"

namespace {

namespace bench = nimbul::bench;
using nimbul::platform::win32::KernelHandle;

constexpr DWORD kGiveUpMs = 30000;
// Long enough for the idle work after the first paint.
constexpr DWORD kSettleMs = 1000;

using nimbul::bench::OwnFolder;

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == s->processId && IsWindowVisible(w) && GetWindowTextLengthA(w) > 0) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

// Private bytes in KiB after the program's first titled window shows and it
// has settled; 0 when it did not show one.
double PrivateKiBAfterStart(const std::string& exe, const std::string& arguments) {
  std::string commandLine = "\"" + exe + "\"" + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return 0;
  }
  CloseHandle(info.hThread);
  const KernelHandle process(info.hProcess);
  Search search{info.dwProcessId, nullptr};
  const DWORD start = GetTickCount();
  while (!search.found && GetTickCount() - start < kGiveUpMs) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(5);
  }
  double kib = 0;
  if (!search.found) {
    std::fprintf(stderr, "memory: %s showed no window in %lu ms\n", exe.c_str(), GetTickCount() - start);
  } else {
    WaitForInputIdle(process.get(), kSettleMs);
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
      // Wine leaves PrivateUsage at 0; the commit charge is the same figure there.
      kib = (counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1024.0;
    } else {
      std::fprintf(stderr, "memory: no counters (error %lu)\n", GetLastError());
    }
  }
  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), kGiveUpMs);
  return kib;
}

// The figure measures a plain start, not the first-start notice.
void MarkProfileAsStartedBefore() {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quendel-Soft\\Nimbul", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const nimbul::platform::win32::RegKey key(raw);
  const DWORD started = 1;
  RegSetValueExA(key.get(), "SchonXgestartet", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&started), sizeof started);
}

}  // namespace

int main() {
  MarkProfileAsStartedBefore();
  const char* overridden = std::getenv("NIMBUL_EXE");
  const std::string nimbul = overridden && *overridden ? overridden : OwnFolder() + "Nimbul.exe";
  const double program = PrivateKiBAfterStart(nimbul, "");
  const double baseline = PrivateKiBAfterStart(OwnFolder() + "bench_minimal_window.exe", " --window");
  if (program == 0 || baseline == 0) {
    std::fprintf(stderr, "memory: no figure (%.0f and %.0f KiB)\n", program, baseline);
    return 1;
  }
  bench::PrintFigure("private bytes after start", {program, "KiB"}, {baseline, "KiB"});
  return 0;
}
