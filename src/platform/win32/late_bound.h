// Functions of the system libraries the program needs only now and then:
// the shell's, the common dialogs' and the internet functions. Their
// library is loaded the first time one of them is called instead of with
// the program, so the start does not wait for it; it then stays loaded
// until the process ends.
#pragma once
#include <windows.h>

namespace nimbul::platform::win32 {

// `name` of `library`, or null when the library or the function is missing.
// Callers keep the answer in a function-local static, so each function is
// looked up once, and safely from any thread.
template <class Fn>
Fn* LateBound(const char* library, const char* name) {
  HMODULE module = ::LoadLibraryA(library);
  if (!module) return nullptr;
  return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace nimbul::platform::win32
