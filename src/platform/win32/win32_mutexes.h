// Named kernel mutexes.
#pragma once
#include "platform/mutex.h"

namespace nimbul::platform::win32 {

class Win32Mutexes : public Mutexes {
 public:
  MutexResult CreateMutexA(bool initialOwner, const std::string& name) override;
};

}  // namespace nimbul::platform::win32
