// Functions of the system libraries the program needs only now and then:
// the shell's, the common dialogs' and the internet functions. Their
// library is loaded the first time one of them is called instead of with
// the program, so the start does not wait for it; it then stays loaded
// until the process ends.
#pragma once
#include <windows.h>

namespace nimbul::platform::win32 {

// The system library `library`, loaded from the system folder by its full
// path: a file of the same name beside the program (a download folder holds
// anything) is never taken for it.
inline HMODULE SystemLibrary(const char* library) {
  char path[MAX_PATH];
  const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || static_cast<int>(length) + 1 + ::lstrlenA(library) >= MAX_PATH) return nullptr;
  path[length] = '\\';
  ::lstrcpyA(path + length + 1, library);
  return ::LoadLibraryA(path);
}

// `name` of `library`, or null when the library or the function is missing.
// Callers keep the answer in a function-local static, so each function is
// looked up once, and safely from any thread.
template <class Fn>
Fn* LateBound(const char* library, const char* name) {
  HMODULE module = SystemLibrary(library);
  if (!module) return nullptr;
  return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace nimbul::platform::win32
