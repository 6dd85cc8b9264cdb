// The entry point of Nimbul.exe: the real platform and the native peers
// under the portable program.
#include <windows.h>
#include <commctrl.h>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/win32/process_start.h"
#include "platform/win32/win32_platform.h"
#include "ui/application.h"
#include "ui/win32/win32_backend.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before any library is loaded: none may come from the program's folder.
  nimbul::platform::win32::LoadLibrariesFromSystemFolderOnly();
  // Released last, after every window of the program has gone.
  nimbul::platform::win32::ComApartment com;
  INITCOMMONCONTROLSEX icc{
      sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  nimbul::platform::win32::Win32Platform platform;
  nimbul::ui::win32::Win32Backend backend(platform.platform);
  nimbul::ui::Application app(platform.platform, backend);
  backend.SetApplication(&app);
  return nimbul::app::RunProgram(app, nimbul::app::CommandTail(GetCommandLineA()));
}
