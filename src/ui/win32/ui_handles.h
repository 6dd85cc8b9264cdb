// Close policies of the user-interface handles, for the platform's handle template.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/handle.h"

namespace nimbul::ui::win32 {

struct MenuPolicy {
  using Value = HMENU;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DestroyMenu(v); }
};

struct AcceleratorPolicy {
  using Value = HACCEL;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::DestroyAcceleratorTable(v); }
};

struct ImageListPolicy {
  using Value = HIMAGELIST;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ::ImageList_Destroy(v); }
};

using MenuHandle = platform::win32::UniqueHandle<MenuPolicy>;
using AcceleratorHandle = platform::win32::UniqueHandle<AcceleratorPolicy>;
using ImageListHandle = platform::win32::UniqueHandle<ImageListPolicy>;
using platform::win32::BrushHandle;
using platform::win32::FontHandle;

}  // namespace nimbul::ui::win32
