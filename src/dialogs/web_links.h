// The home page, the feedback mail and the history help, handed to the shell.
#pragma once
#include <string>

#include "ui/application.h"

namespace nimbul::dialogs {

// The help file beside the program, "History.hlp" in the program's folder.
std::string HistoryFile(ui::Application& app);

// Each hands its target to the shell's default action, owned by `owner`;
// the shell reports nothing back.
void OpenHomePage(ui::Application& app, platform::Hwnd owner);
void WriteFeedbackMail(ui::Application& app, platform::Hwnd owner);
void OpenHistory(ui::Application& app, platform::Hwnd owner);

}  // namespace nimbul::dialogs
