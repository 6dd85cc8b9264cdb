// Linked into Nimbul.exe alone. The runtime's default terminate handler
// names the type of an uncaught exception on the standard error stream, and
// for that it links a whole C++ name demangler (about 45 KB). A windowed
// program has no such stream to show it on, so this stand-in tells the
// handler that the name cannot be demangled: it then prints the raw name.
#include <cstddef>

extern "C" char* __cxa_demangle(const char*, char*, std::size_t*, int* status) {
  if (status) *status = -2;  // not a valid mangled name
  return nullptr;
}
