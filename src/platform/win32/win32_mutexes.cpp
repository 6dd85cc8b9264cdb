#include "platform/win32/win32_mutexes.h"

#include <windows.h>

#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

MutexResult Win32Mutexes::CreateMutexA(bool initialOwner, const std::string& name) {
  HANDLE mutex = ::CreateMutexA(nullptr, initialOwner ? TRUE : FALSE, name.c_str());
  DWORD error = ::GetLastError();
  MutexResult result;
  if (mutex) result.handle = HandleOwner(ToId<Handle>(mutex), [](Handle h) { ::CloseHandle(FromId<HANDLE>(h)); });
  // Success leaves the thread's last error untouched unless the name existed.
  result.lastError = mutex && error != ERROR_ALREADY_EXISTS ? ERROR_SUCCESS : error;
  return result;
}

}  // namespace nimbul::platform::win32
