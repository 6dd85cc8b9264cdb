// What the process sets up for itself before anything else.
#pragma once
#include <windows.h>

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

}  // namespace nimbul::platform::win32
