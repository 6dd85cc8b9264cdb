// The program's command line: what follows the program's own path.
#pragma once
#include <string>

namespace nimbul::app {

// The command line after its first item (the program's path, possibly in
// double quotes) and the blanks that end it.
std::string CommandTail(const std::string& commandLine);

}  // namespace nimbul::app
