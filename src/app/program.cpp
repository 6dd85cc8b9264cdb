#include "app/program.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "dialogs/about_box.h"
#include "dialogs/credits_window.h"
#include "dialogs/feedback_form.h"
#include "dialogs/licence_window.h"
#include "hotkeys/hotkey_dialog.h"
#include "shell/icon_chooser.h"
#include "shell/icon_extractor.h"
#include "shell/taskbar_button.h"
#include "update/update_dialog.h"
#include "windows/colors_dialog.h"

namespace nimbul::app {

bool ActOnStartSwitch(ui::Application& app, TfrmNimbulMain& main, dialogs::TForm7& credits,
                      const std::string& commandTail) {
  switch (ParseStartSwitch(FirstParameter(commandTail))) {
    case StartSwitch::Systray:
      app.SetShowMainForm(false);
      main.ToolButton8Click();
      main.RefreshWindowList();
      break;
    case StartSwitch::ToggleSystemHotkeys: dialogs::ToggleSystemHotkeyFunction(app); return false;
    case StartSwitch::Credits:
      app.SetShowMainForm(false);
      credits.ShowAndStart();
      break;
    case StartSwitch::Updated: app.ShowMessage("Update erfolgreich!"); break;
    case StartSwitch::None: break;
  }
  return true;
}

int RunProgram(ui::Application& app, const std::string& commandTail) {
  app.Initialize();
  // One instance a logon. Only the name decides: a mutex that exists means another instance runs.
  auto& mutexes = app.Sys().mutexes;
  platform::MutexResult mutex = mutexes.CreateMutexA(true, kMutexName);
  if (mutex.lastError == platform::kErrorAlreadyExists) {
    app.ShowMessage("Nimbulon cannot be opened twice !!!");
    return 0;
  }
  // The mutex marks this logon's instance until the process ends, whatever
  // way it ends; the system lets it go then.
  mutex.handle.release();
  // Every window once, hidden, in this order; the main window's creation
  // runs to its end before the next window is made.
  auto& main = app.CreateForm<TfrmNimbulMain>();
  auto& credits = app.CreateForm<dialogs::TForm7>();
  auto& colors = app.CreateForm<windows::TForm8>();
  auto& about = app.CreateForm<dialogs::TForm2>();
  auto& licence = app.CreateForm<dialogs::TForm3>();
  auto& iconChooser = app.CreateForm<shell::TForm5>();
  auto& taskbarButton = app.CreateForm<shell::TForm4>();
  auto& iconExtractor = app.CreateForm<shell::TForm6>();
  auto& feedback = app.CreateForm<dialogs::TfrmEMail>();
  auto& updateDialog = app.CreateForm<update::TfrmUpdate>();
  updateDialog.SetHost(&main, &main);
  auto& hotkeyDialog = app.CreateForm<hotkeys::TfrmHotkey>();
  hotkeyDialog.SetHost(&main, &main);
  credits.SetHost(&main);
  about.SetHost(&main, &credits);
  licence.SetHost(&main, &taskbarButton);
  feedback.SetHost(&main);
  colors.SetHost(&main, &main.StringGrid1, &main.StringGrid2);
  main.SetPeers({&taskbarButton, &hotkeyDialog, &about, &updateDialog, &licence, &feedback, &colors, &iconChooser});
  taskbarButton.SetHost(&main);
  iconChooser.SetOpener(&main);
  iconChooser.SetExtractor(&iconExtractor);
  iconExtractor.SetOpener(&iconChooser);
  app.SetTitle(kApplicationTitle);
  // The command-line switches; the toggle ends the program here.
  if (!ActOnStartSwitch(app, main, credits, commandTail)) return 0;
  // The message loop runs until the main window closes.
  app.Run();
  return 0;
}

}  // namespace nimbul::app
