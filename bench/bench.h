// The benchmark harness: every figure is measured against a baseline taken
// in the same run, and printed as one line
//   <figure name>: <value> <unit> vs baseline <value> <unit>, ratio <r>
// so figures from different machines and runs compare by their ratios.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace nimbul::bench {

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The middle value; the mean of the two middle ones for an even count.
inline double Median(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  std::sort(samples.begin(), samples.end());
  const size_t mid = samples.size() / 2;
  return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2.0;
}

struct Measure {
  double value;
  std::string unit;
};

inline std::string FigureLine(const std::string& name, const Measure& figure, const Measure& baseline) {
  char ratio[32] = "n/a";
  if (baseline.value > 0.0) std::snprintf(ratio, sizeof ratio, "%.2f", figure.value / baseline.value);
  char line[512];
  std::snprintf(line, sizeof line, "%s: %.1f %s vs baseline %.1f %s, ratio %s", name.c_str(), figure.value,
                figure.unit.c_str(), baseline.value, baseline.unit.c_str(), ratio);
  return line;
}

inline void PrintFigure(const std::string& name, const Measure& figure, const Measure& baseline) {
  std::printf("%s\n", FigureLine(name, figure, baseline).c_str());
  std::fflush(stdout);
}

}  // namespace nimbul::bench
