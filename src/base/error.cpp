#include "base/error.h"

namespace nimbul {

std::string FormatText(const std::string& pattern, const std::string& arg) {
  auto pos = pattern.find("%s");
  if (pos == std::string::npos) return pattern;
  return pattern.substr(0, pos) + arg + pattern.substr(pos + 2);
}

}  // namespace nimbul
