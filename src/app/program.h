// The program entry: one instance per logon, every window created once, the
// message loop.
#pragma once
#include <string>

#include "ui/application.h"

namespace nimbul::app {

inline constexpr const char* kMutexName = "Nimbulon";
inline constexpr const char* kApplicationTitle = "Nimbul";

// Runs the program to its end and returns the process's exit code.
// `commandTail` is the command line after the program's own path.
int RunProgram(ui::Application& app, const std::string& commandTail);

}  // namespace nimbul::app
