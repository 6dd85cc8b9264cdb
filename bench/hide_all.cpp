// Hiding every visible window from the main window, against a bare loop
// that hides the same windows and enumerates again after each.
#include <cstdio>

#include "bench.h"
#include "program_host.h"

using namespace nimbul;

int main() {
  bench::ProgramHost host;
  const int count = 200;
  std::vector<double> figure, baseline;
  for (int round = 0; round < 3; ++round) {
    auto targets = bench::OpenWindows(count, "Target");
    host.MainOnTop();
    bench::Pump();
    host.main->RefreshWindowList();
    auto start = bench::Clock::now();
    host.main->ToolButton11Click();
    figure.push_back(bench::MillisecondsSince(start));
    int hidden = host.main->Lists().Hidden().Count();
    host.main->TrayShowAllClick();
    for (HWND w : targets) DestroyWindow(w);
    if (hidden < count) std::printf("warning: only %d of %d windows hidden\n", hidden, count);

    targets = bench::OpenWindows(count, "Target");
    host.MainOnTop();
    bench::Pump();
    start = bench::Clock::now();
    for (auto it = targets.rbegin(); it != targets.rend(); ++it) {
      ShowWindow(*it, SW_HIDE);
      bench::BareEnumeration(host.MainHwnd());
    }
    baseline.push_back(bench::MillisecondsSince(start));
    for (HWND w : targets) DestroyWindow(w);
    bench::Pump();
  }
  double f = bench::Median(figure), b = bench::Median(baseline);
  bench::PrintFigure("Hide all of " + std::to_string(count) + " windows", {f, "ms"}, {b, "ms"});
  std::printf("Hide all: %.2f ms per window\n", f / count);
  return 0;
}
