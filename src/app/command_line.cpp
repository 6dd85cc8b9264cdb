#include "app/command_line.h"

namespace nimbul::app {

std::string CommandTail(const std::string& commandLine) {
  size_t i = 0;
  const size_t n = commandLine.size();
  auto blank = [&](size_t k) { return static_cast<unsigned char>(commandLine[k]) <= ' '; };
  while (i < n && blank(i)) ++i;
  bool quoted = false;
  for (; i < n; ++i) {
    if (commandLine[i] == '"')
      quoted = !quoted;
    else if (!quoted && blank(i))
      break;
  }
  while (i < n && blank(i)) ++i;
  return commandLine.substr(i);
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string FirstParameter(const std::string& tail) {
  size_t i = 0;
  const size_t n = tail.size();
  while (i < n && IsBlank(tail[i])) ++i;
  std::string parameter;
  while (i < n && !IsBlank(tail[i])) {
    if (tail[i] == '"') {
      for (++i; i < n && tail[i] != '"'; ++i) parameter += tail[i];
      if (i < n) ++i;  // the closing quote
    } else {
      parameter += tail[i++];
    }
  }
  return parameter;
}

StartSwitch ParseStartSwitch(const std::string& parameter) {
  std::string upper = parameter;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (!upper.empty() && upper[0] == '/') upper.erase(0, 1);
  static const struct {
    const char* text;
    StartSwitch value;
  } kSwitches[] = {
      {"SYSTRAY", StartSwitch::Systray},
      {"7K52R", StartSwitch::ToggleSystemHotkeys},
      {"QUORM", StartSwitch::Credits},
      {"UPGEDATET", StartSwitch::Updated},
  };
  for (const auto& s : kSwitches)
    if (upper == s.text) return s.value;
  return StartSwitch::None;
}

}  // namespace nimbul::app
