#include "platform/win32/win32_window_manager.h"

#include <windows.h>

#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

namespace {

HWND W(Hwnd w) { return FromId<HWND>(w); }

// Titles and key names are read into a 256-byte buffer: at most 255 characters.
constexpr int kTextBuffer = 256;

}  // namespace

Hwnd Win32WindowManager::GetWindow(Hwnd w, unsigned cmd) { return ToId(::GetWindow(W(w), cmd)); }

std::string Win32WindowManager::GetWindowTextA(Hwnd w) {
  char buffer[kTextBuffer];
  int n = ::GetWindowTextA(W(w), buffer, kTextBuffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool Win32WindowManager::IsWindowVisible(Hwnd w) { return ::IsWindowVisible(W(w)) != FALSE; }

bool Win32WindowManager::IsWindow(Hwnd w) { return ::IsWindow(W(w)) != FALSE; }

bool Win32WindowManager::IsWindowEnabled(Hwnd w) { return ::IsWindowEnabled(W(w)) != FALSE; }

Hwnd Win32WindowManager::FindWindowA(const std::string& className) {
  return ToId(::FindWindowA(className.c_str(), nullptr));
}

bool Win32WindowManager::ShowWindow(Hwnd w, int cmd) { return ::ShowWindow(W(w), cmd) != FALSE; }

bool Win32WindowManager::ShowWindowAsync(Hwnd w, int cmd) { return ::ShowWindowAsync(W(w), cmd) != FALSE; }

bool Win32WindowManager::IsHungAppWindow(Hwnd w) { return ::IsHungAppWindow(W(w)) != FALSE; }

Hwnd Win32WindowManager::GetForegroundWindow() { return ToId(::GetForegroundWindow()); }

bool Win32WindowManager::SetForegroundWindow(Hwnd w) { return ::SetForegroundWindow(W(w)) != FALSE; }

Hwnd Win32WindowManager::GetLastActivePopup(Hwnd w) { return ToId(::GetLastActivePopup(W(w))); }

std::uint32_t Win32WindowManager::GetClassLongA(Hwnd w, int index) { return ::GetClassLongA(W(w), index); }

std::uint32_t Win32WindowManager::GetWindowLongA(Hwnd w, int index) {
  return static_cast<std::uint32_t>(::GetWindowLongA(W(w), index));
}

Hicon Win32WindowManager::CopyIcon(Hicon icon) {
  if (icon == 0) return 0;
  return ToId(::CopyIcon(FromId<HICON>(icon)));
}

void Win32WindowManager::DestroyIcon(Hicon icon) {
  if (icon != 0) ::DestroyIcon(FromId<HICON>(icon));
}

int Win32WindowManager::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

bool Win32WindowManager::SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous,
                                               unsigned winIni) {
  return ::SystemParametersInfoA(action, param, previous, winIni) != FALSE;
}

int Win32WindowManager::MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption,
                                    unsigned flags) {
  return ::MessageBoxA(W(owner), text.c_str(), caption.c_str(), flags);
}

unsigned Win32WindowManager::MapVirtualKeyA(unsigned code, unsigned mapType) {
  return ::MapVirtualKeyA(code, mapType);
}

std::string Win32WindowManager::GetKeyNameTextA(long lParam) {
  char buffer[kTextBuffer];
  int n = ::GetKeyNameTextA(lParam, buffer, kTextBuffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace nimbul::platform::win32
