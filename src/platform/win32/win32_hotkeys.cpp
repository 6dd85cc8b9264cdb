#include "platform/win32/win32_hotkeys.h"

#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

namespace {
constexpr char kHotkeyWindowClass[] = "TKeyHot";
}  // namespace

Atom Win32Hotkeys::GlobalAddAtomA(const std::string& name) { return ::GlobalAddAtomA(name.c_str()); }

Atom Win32Hotkeys::GlobalDeleteAtom(Atom atom) { return ::GlobalDeleteAtom(atom); }

bool Win32Hotkeys::RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) {
  return ::RegisterHotKey(FromId<HWND>(w), id, modifiers, vk) != FALSE;
}

bool Win32Hotkeys::UnregisterHotKey(Hwnd w, int id) { return ::UnregisterHotKey(FromId<HWND>(w), id) != FALSE; }

Hwnd Win32Hotkeys::CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) {
  auto window = std::make_unique<MessageWindow>(
      kHotkeyWindowClass, [onHotkey = std::move(onHotkey)](UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_HOTKEY) return false;
        if (onHotkey) onHotkey(static_cast<unsigned>(wParam));
        return true;
      });
  if (!window->hwnd()) return 0;
  Hwnd id = ToId(window->hwnd());
  windows_[id] = std::move(window);
  return id;
}

void Win32Hotkeys::DestroyHotkeyWindow(Hwnd w) { windows_.erase(w); }

}  // namespace nimbul::platform::win32
