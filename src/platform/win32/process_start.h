// What the process sets up for itself before anything else: where libraries
// may come from, and COM for the user-interface thread.
#pragma once
#include <windows.h>
#include <objbase.h>

#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

// From now on a library the process loads by name, and every library such a
// library needs, comes from the system folder only: never from the program's
// own folder (a download folder holds anything) or the current one. A system
// without the function (Windows 7 without its 2011 loader update) keeps its
// usual search order; the program's own late-bound libraries come from the
// system folder by their full path there too.
inline void LoadLibrariesFromSystemFolderOnly() {
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  using SetDefaultDllDirectoriesFn = BOOL WINAPI(DWORD);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  auto* const setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn*>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault) setDefault(kSearchSystem32);
}

// COM for the calling thread, apartment-threaded, for as long as the object
// lives: the shell's functions (file information, file dialogs) need it on
// the thread that calls them, the user-interface thread.
class ComApartment {
 public:
  ComApartment() {
    static auto* const initialize = LateBound<decltype(::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    // A thread that already has another kind of apartment keeps it and is
    // not released here.
    initialized_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }
  ~ComApartment() {
    static auto* const uninitialize = LateBound<decltype(::CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (initialized_ && uninitialize) uninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_ = false;
};

}  // namespace nimbul::platform::win32
