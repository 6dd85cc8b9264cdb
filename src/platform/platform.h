// The set of system services the program runs on.
#pragma once
#include "platform/code_pages.h"
#include "platform/color_dialog.h"
#include "platform/dispatcher.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/http.h"
#include "platform/icons.h"
#include "platform/locale.h"
#include "platform/mutex.h"
#include "platform/notify_area.h"
#include "platform/pictures.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/timers.h"
#include "platform/version_info.h"
#include "platform/window_manager.h"

namespace nimbul::platform {

struct Platform {
  WindowManager& wm;
  Registry& registry;
  Hotkeys& hotkeys;
  Mutexes& mutexes;
  Files& files;
  VersionInfo& version;
  Shell& shell;
  Timers& timers;
  Dispatcher& dispatcher;
  Http& http;
  CodePages& codePages;
  Locale& locale;
  Pictures& pictures;
  ColorDialogs& colorDialogs;
  Icons& icons;
  NotifyArea& notifyArea;
  FileDialogs& fileDialogs;
};

}  // namespace nimbul::platform
