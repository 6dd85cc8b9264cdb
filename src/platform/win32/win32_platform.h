// The real system services in one object, the counterpart of the fake desktop.
#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_code_pages.h"
#include "platform/win32/win32_color_dialogs.h"
#include "platform/win32/win32_dispatcher.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_mutexes.h"
#include "platform/win32/win32_notify_area.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_timers.h"
#include "platform/win32/win32_version_info.h"
#include "platform/win32/win32_window_manager.h"

namespace nimbul::platform::win32 {

// Create it on the user-interface thread: its hotkey and timer windows belong
// to the thread that creates them.
class Win32Platform {
 public:
  Win32Platform() = default;
  // Workers that still wait on the user-interface thread are let go here.
  ~Win32Platform() { dispatcher.Shutdown(); }
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32WindowManager wm;
  Win32Registry registry;
  Win32Hotkeys hotkeys;
  Win32Mutexes mutexes;
  Win32Files files;
  Win32VersionInfo version;
  Win32Shell shell;
  Win32Timers timers;
  std::shared_ptr<Win32Dispatcher> dispatcherOwner = std::make_shared<Win32Dispatcher>();
  Win32Dispatcher& dispatcher = *dispatcherOwner;
  Win32Http http;
  Win32CodePages codePages;
  Win32Locale locale;
  Win32Pictures pictures;
  Win32ColorDialogs colorDialogs;
  Win32Icons icons;
  Win32NotifyArea notifyArea;
  Win32FileDialogs fileDialogs;
  // One service a line: services are added often.
  Platform platform{wm,   registry,  hotkeys, mutexes,  files,        version, shell,      timers,     dispatcher,
                    http, codePages, locale,  pictures, colorDialogs, icons,   notifyArea, fileDialogs};
};

}  // namespace nimbul::platform::win32
