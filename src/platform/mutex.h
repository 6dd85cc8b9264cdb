// Named kernel mutex for the single-instance rule.
#pragma once
#include <string>

#include "platform/owner.h"
#include "platform/types.h"

namespace nimbul::platform {

struct MutexResult {
  HandleOwner handle;           // may be set also when the name existed
  std::uint32_t lastError = 0;  // GetLastError right after the creation
};

class Mutexes {
 public:
  virtual ~Mutexes() = default;
  virtual MutexResult CreateMutexA(bool initialOwner, const std::string& name) = 0;
};

}  // namespace nimbul::platform
