// The rebuild of the visible list and one timer tick over many windows,
// against bare loops of the same window-manager calls; and how often the
// idle program wakes up.
#include <cstdio>

#include "bench.h"
#include "program_host.h"

using namespace nimbul;

namespace {

int BareTitleReads(const std::vector<HWND>& windows) {
  int total = 0;
  char title[256];
  for (HWND w : windows) total += GetWindowTextA(w, title, sizeof title);
  return total;
}

// Medians of `f` and of `baseline`, their runs taken in turn so that both
// meet the same state of the machine.
template <typename F, typename G>
std::pair<double, double> PairedMediansMs(int runs, F f, G baseline) {
  std::vector<double> a, b;
  for (int i = 0; i < runs; ++i) {
    auto start = bench::Clock::now();
    f();
    a.push_back(bench::MillisecondsSince(start));
    start = bench::Clock::now();
    baseline();
    b.push_back(bench::MillisecondsSince(start));
  }
  return {bench::Median(a), bench::Median(b)};
}

}  // namespace

int main() {
  bench::ProgramHost host;
  auto visible = bench::OpenWindows(1000, "Visible");
  auto hidden = bench::OpenWindows(100, "Hidden");
  for (HWND h : hidden) ShowWindow(h, SW_HIDE);
  host.MainOnTop();
  bench::Pump();
  const int runs = 21;

  auto [rebuild, bare] = PairedMediansMs(
      runs, [&] { host.main->RefreshWindowList(); }, [&] { bench::BareEnumeration(host.MainHwnd()); });
  int listed = host.main->Lists().Visible().Count();
  bench::PrintFigure("RefreshWindowList over " + std::to_string(listed) + " visible windows", {rebuild, "ms"},
                     {bare, "ms"});

  for (HWND h : hidden) bench::HideFromTray(*host.main, h);
  std::vector<HWND> all(visible);
  all.insert(all.end(), hidden.begin(), hidden.end());
  auto [tick, bareTick] = PairedMediansMs(
      runs, [&] { host.main->Timer1Timer(); }, [&] { BareTitleReads(all); });
  bench::PrintFigure("Timer1Timer with 100 hidden and " + std::to_string(listed) + " visible entries", {tick, "ms"},
                     {bareTick, "ms"});

  host.main->TrayShowAllClick();  // no entries of closed windows left to drop
  for (HWND w : all) DestroyWindow(w);
  bench::Pump();
  // Idle: the shown main window with nothing happening. Every message the
  // thread receives counts; the baseline is the one-second timer alone.
  const int seconds = 20;
  host.main->RefreshWindowList();
  bench::Pump();
  int messages = 0;
  auto start = bench::Clock::now();
  while (bench::MillisecondsSince(start) < seconds * 1000.0) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ++messages;
        DispatchMessageA(&msg);
      }
    }
  }
  bench::PrintFigure("Idle wake-ups over " + std::to_string(seconds) + " s", {messages / double(seconds), "msg/s"},
                     {1.0, "msg/s"});
  return 0;
}
