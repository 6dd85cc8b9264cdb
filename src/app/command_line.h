// The program's command line: what follows the program's own path.
#pragma once
#include <string>

namespace nimbul::app {

// The command line after its first item (the program's path, possibly in
// double quotes) and the blanks that end it.
std::string CommandTail(const std::string& commandLine);

// The first parameter of a command tail. Characters up to and including the
// blank (code 32 or less) separate parameters; a double quote opens a group in
// which blanks do not separate, up to the next double quote or the end of the
// line; the quotes are not part of the parameter. Empty when there is none.
std::string FirstParameter(const std::string& tail);

// The switches the program starts with; each is accepted in any letter case,
// with or without a leading slash.
enum class StartSwitch { None, Systray, ToggleSystemHotkeys, Credits, Updated };
StartSwitch ParseStartSwitch(const std::string& parameter);

}  // namespace nimbul::app
