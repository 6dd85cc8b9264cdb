// Named mutexes: the single-instance test depends on the name alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_mutexes.h"

namespace nimbul::platform::win32 {
namespace {

TEST(MutexTest, SecondCreationOfTheSameNameReportsAlreadyExistsUntilAllAreClosed) {
  Win32Mutexes mutexes;
  std::string name = "NimbulonTest" + std::to_string(::GetCurrentProcessId());
  ::SetLastError(ERROR_INVALID_PARAMETER);  // must not leak into the result
  MutexResult first = mutexes.CreateMutexA(true, name);
  ASSERT_TRUE(first.handle);
  EXPECT_EQ(first.lastError, kErrorSuccess);

  MutexResult second = mutexes.CreateMutexA(true, name);
  EXPECT_TRUE(second.handle) << "the existing mutex is handed out too";
  EXPECT_EQ(second.lastError, kErrorAlreadyExists);
  second.handle.reset();

  MutexResult otherName = mutexes.CreateMutexA(false, name + "b");
  EXPECT_EQ(otherName.lastError, kErrorSuccess);
  otherName.handle.reset();

  first.handle.reset();
  MutexResult again = mutexes.CreateMutexA(true, name);
  EXPECT_EQ(again.lastError, kErrorSuccess) << "the name is free once every handle is closed";
  EXPECT_TRUE(again.handle);
}

}  // namespace
}  // namespace nimbul::platform::win32
