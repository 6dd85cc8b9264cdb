// The About box's texts and typed-key logic, free of any window.
#pragma once
#include <string>
#include <vector>

#include "platform/files.h"

namespace nimbul::dialogs {

// Where the typed thanks line stands: the line being typed (from 0) and the
// ticks spent on it.
struct ThanksTyping {
  int ThanksLine = 0;
  int ThanksChar = 0;
};

// One 100 ms tick: a line of n characters is typed in n ticks, stays whole for
// three more and is wiped at tick n + 3; after the last line the first comes again.
void TypeThanksTick(ThanksTyping& state, const std::vector<std::string>& lines, std::string& label);

enum class KeyCode { None, ToggleSystemHotkeys, ShowCredits };

// Appends a typed character (a to z upper-cased) to what was typed before
// and tells which code, if any, the last characters now spell.
KeyCode AddTypedKey(std::string& typedKeys, char key);

// "Complilation date: mm/dd/yyyy @ hh:nn" with the user's separators for "/" and ":".
std::string CompilationDateText(const platform::LocalTime& t, const std::string& dateSeparator,
                                const std::string& timeSeparator);

// What the toggle of "Strg_alt_entf" reports.
std::string ToggleMessageText(bool enabled);

}  // namespace nimbul::dialogs
