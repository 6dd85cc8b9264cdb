#include "platform/win32/win32_hotkeys.h"

#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

namespace {
constexpr char kHotkeyWindowClass[] = "TKeyHot";
}  // namespace

AtomOwner Win32Hotkeys::GlobalAddAtomA(const std::string& name) {
  const ATOM atom = ::GlobalAddAtomA(name.c_str());
  if (atom == 0) return {};
  return AtomOwner(Atom{atom}, [](Atom a) { ::GlobalDeleteAtom(static_cast<ATOM>(a)); });
}

bool Win32Hotkeys::RegisterHotKey(Hwnd w, int id, unsigned modifiers, unsigned vk) {
  return ::RegisterHotKey(FromId<HWND>(w), id, modifiers, vk) != FALSE;
}

bool Win32Hotkeys::UnregisterHotKey(Hwnd w, int id) { return ::UnregisterHotKey(FromId<HWND>(w), id) != FALSE; }

WindowOwner Win32Hotkeys::CreateHotkeyWindow(std::function<void(unsigned id)> onHotkey) {
  auto window = std::make_unique<MessageWindow>(kHotkeyWindowClass,
                                                [onHotkey = std::move(onHotkey)](UINT message, WPARAM wParam, LPARAM) {
                                                  if (message != WM_HOTKEY) return false;
                                                  if (onHotkey) onHotkey(static_cast<unsigned>(wParam));
                                                  return true;
                                                });
  if (!window->hwnd()) return {};
  Hwnd id = ToId<Hwnd>(window->hwnd());
  windows_[id] = std::move(window);
  return WindowOwner(id, [this](Hwnd w) { windows_.erase(w); });
}

}  // namespace nimbul::platform::win32
