#include "dialogs/about_text.h"

#include <cstdio>

namespace nimbul::dialogs {

namespace {
constexpr const char* kToggleCode = "7K52R";
constexpr const char* kCreditsCode = "2QUORM";
// Only the longest code's length of typed characters can ever take part in a match.
constexpr std::size_t kKeptKeys = 6;

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}
}  // namespace

void TypeThanksTick(ThanksTyping& state, const std::vector<std::string>& lines, std::string& label) {
  if (lines.empty()) return;
  if (state.ThanksLine < 0 || state.ThanksLine >= static_cast<int>(lines.size())) state.ThanksLine = 0;
  const std::string& line = lines[static_cast<std::size_t>(state.ThanksLine)];
  const int length = static_cast<int>(line.size());
  // One letter per tick; then the whole line stays for three ticks before it is wiped.
  state.ThanksChar += 1;
  if (state.ThanksChar <= length) label += line[static_cast<std::size_t>(state.ThanksChar - 1)];
  if (state.ThanksChar == length + 3) {
    label.clear();
    state.ThanksLine += 1;
    state.ThanksChar = 0;
  }
  // After the last line the first comes again.
  if (state.ThanksLine == static_cast<int>(lines.size())) state.ThanksLine = 0;
}

KeyCode AddTypedKey(std::string& typedKeys, char key) {
  if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
  typedKeys += key;
  if (typedKeys.size() > kKeptKeys) typedKeys.erase(0, typedKeys.size() - kKeptKeys);
  if (EndsWith(typedKeys, kToggleCode)) return KeyCode::ToggleSystemHotkeys;
  if (EndsWith(typedKeys, kCreditsCode)) return KeyCode::ShowCredits;
  return KeyCode::None;
}

std::string CompilationDateText(const platform::LocalTime& t, const std::string& dateSeparator,
                                const std::string& timeSeparator) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", t.year);
  return "Complilation date: " + TwoDigits(t.month) + dateSeparator + TwoDigits(t.day) + dateSeparator + year + " @ " +
         TwoDigits(t.hour) + timeSeparator + TwoDigits(t.minute);
}

std::string ToggleMessageText(bool enabled) {
  return std::string("The Funktion \"Disable all Hotkeys\" was ") + (enabled ? "enabled" : "disabled") +
         "\r\nPlease restart Nimbulon, in order to let the changes take affect";
}

}  // namespace nimbul::dialogs
