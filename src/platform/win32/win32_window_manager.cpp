#include "platform/win32/win32_window_manager.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/handle_ids.h"
#include "platform/win32/win32_dwm.h"

namespace nimbul::platform::win32 {

namespace {

HWND W(Hwnd w) { return FromId<HWND>(w); }

// Titles and key names are read into a 256-byte buffer: at most 255 characters.
constexpr int kTextBuffer = 256;

// The text up to the count the call reported, and never past its terminator.
std::string TextOf(const char* buffer, int reported) {
  if (reported <= 0) return std::string();
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(reported), kTextBuffer - 1);
  return std::string(buffer, ::strnlen(buffer, n));
}

}  // namespace

Hwnd Win32WindowManager::GetWindow(Hwnd w, unsigned cmd) { return ToId<Hwnd>(::GetWindow(W(w), cmd)); }

std::string Win32WindowManager::GetWindowTextA(Hwnd w) {
  // The null handle names no window, yet some systems answer it with another
  // window's text; the end of a Z-order walk must read as an empty title.
  if (IsNull(w)) return std::string();
  char buffer[kTextBuffer] = {};
  int n = ::GetWindowTextA(W(w), buffer, kTextBuffer);
  return TextOf(buffer, n);
}

bool Win32WindowManager::IsWindowVisible(Hwnd w) { return ::IsWindowVisible(W(w)) != FALSE; }

bool Win32WindowManager::IsWindow(Hwnd w) { return ::IsWindow(W(w)) != FALSE; }

bool Win32WindowManager::IsWindowEnabled(Hwnd w) { return ::IsWindowEnabled(W(w)) != FALSE; }

std::uint32_t Win32WindowManager::GetWindowProcessId(Hwnd w) {
  DWORD process = 0;
  if (!::GetWindowThreadProcessId(W(w), &process)) return 0;
  return process;
}

std::string Win32WindowManager::GetClassNameA(Hwnd w) {
  char buffer[kTextBuffer] = {};
  const int n = ::GetClassNameA(W(w), buffer, kTextBuffer);
  return TextOf(buffer, n);
}

Hwnd Win32WindowManager::FindWindowA(const std::string& className) {
  return ToId<Hwnd>(::FindWindowA(className.c_str(), nullptr));
}

Hwnd Win32WindowManager::FindWindowExA(Hwnd parent, Hwnd after, const std::string& className) {
  return ToId<Hwnd>(::FindWindowExA(W(parent), W(after), className.c_str(), nullptr));
}

bool Win32WindowManager::IsCloaked(Hwnd w) { return WindowCloaked(W(w)); }

bool Win32WindowManager::ShowWindow(Hwnd w, int cmd) { return ::ShowWindow(W(w), cmd) != FALSE; }

bool Win32WindowManager::ShowWindowAsync(Hwnd w, int cmd) { return ::ShowWindowAsync(W(w), cmd) != FALSE; }

bool Win32WindowManager::IsHungAppWindow(Hwnd w) { return ::IsHungAppWindow(W(w)) != FALSE; }

bool Win32WindowManager::AnswersWithin(Hwnd w, unsigned ms) {
  DWORD_PTR ignored = 0;
  // WM_NULL does nothing in any window; it only asks whether the thread is there.
  return ::SendMessageTimeoutA(W(w), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, ms, &ignored) != 0;
}

Hwnd Win32WindowManager::GetForegroundWindow() { return ToId<Hwnd>(::GetForegroundWindow()); }

bool Win32WindowManager::SetForegroundWindow(Hwnd w) { return ::SetForegroundWindow(W(w)) != FALSE; }

void Win32WindowManager::RaiseWindow(Hwnd w) {
  ::SetWindowPos(W(w), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

Hwnd Win32WindowManager::GetLastActivePopup(Hwnd w) { return ToId<Hwnd>(::GetLastActivePopup(W(w))); }

std::uint32_t Win32WindowManager::GetClassLongA(Hwnd w, int index) { return ::GetClassLongA(W(w), index); }

std::uint32_t Win32WindowManager::GetWindowLongA(Hwnd w, int index) {
  return static_cast<std::uint32_t>(::GetWindowLongA(W(w), index));
}

IconOwner Win32WindowManager::CopyIcon(Hicon icon) {
  if (IsNull(icon)) return {};
  HICON copy = ::CopyIcon(FromId<HICON>(icon));
  if (!copy) return {};
  return IconOwner(ToId<Hicon>(copy), [](Hicon c) { ::DestroyIcon(FromId<HICON>(c)); });
}

int Win32WindowManager::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

bool Win32WindowManager::SystemParametersInfoA(unsigned action, unsigned param, std::uint32_t* previous,
                                               unsigned winIni) {
  return ::SystemParametersInfoA(action, param, previous, winIni) != FALSE;
}

int Win32WindowManager::MessageBoxA(Hwnd owner, const std::string& text, const std::string& caption, unsigned flags) {
  return ::MessageBoxA(W(owner), text.c_str(), caption.c_str(), flags);
}

unsigned Win32WindowManager::MapVirtualKeyA(unsigned code, unsigned mapType) { return ::MapVirtualKeyA(code, mapType); }

bool Win32WindowManager::SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string Win32WindowManager::GetKeyNameTextA(long lParam) {
  char buffer[kTextBuffer] = {};
  int n = ::GetKeyNameTextA(lParam, buffer, kTextBuffer);
  return TextOf(buffer, n);
}

}  // namespace nimbul::platform::win32
