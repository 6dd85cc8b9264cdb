#include "app/command_line.h"

namespace nimbul::app {

std::string CommandTail(const std::string& commandLine) {
  size_t i = 0;
  const size_t n = commandLine.size();
  auto blank = [&](size_t k) { return static_cast<unsigned char>(commandLine[k]) <= ' '; };
  while (i < n && blank(i)) ++i;
  bool quoted = false;
  for (; i < n; ++i) {
    if (commandLine[i] == '"') quoted = !quoted;
    else if (!quoted && blank(i)) break;
  }
  while (i < n && blank(i)) ++i;
  return commandLine.substr(i);
}

}  // namespace nimbul::app
