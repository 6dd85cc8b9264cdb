// The program entry: one instance per logon, every window created once, the
// message loop.
#pragma once
#include <string>

#include "ui/application.h"

namespace nimbul::dialogs {
class TForm7;
}

namespace nimbul::app {

inline constexpr const char* kMutexName = "Nimbulon";
inline constexpr const char* kApplicationTitle = "Nimbul";

class TfrmNimbulMain;

// Acts on the first parameter of the command tail; false when the program
// is to end at once (the toggle of the system key combinations).
bool ActOnStartSwitch(ui::Application& app, TfrmNimbulMain& main, dialogs::TForm7& credits,
                      const std::string& commandTail);

// Runs the program to its end and returns the process's exit code.
// `commandTail` is the command line after the program's own path.
int RunProgram(ui::Application& app, const std::string& commandTail);

}  // namespace nimbul::app
