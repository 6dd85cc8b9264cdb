// Named kernel mutex for the single-instance rule.
#pragma once
#include <string>

#include "platform/types.h"

namespace nimbul::platform {

struct MutexResult {
  Handle handle = 0;           // may be non-zero also when the name existed
  std::uint32_t lastError = 0; // GetLastError right after the creation
};

class Mutexes {
 public:
  virtual ~Mutexes() = default;
  virtual MutexResult CreateMutexA(bool initialOwner, const std::string& name) = 0;
  virtual bool CloseHandle(Handle h) = 0;
};

}  // namespace nimbul::platform
