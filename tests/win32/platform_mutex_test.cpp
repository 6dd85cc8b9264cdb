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
  ASSERT_NE(first.handle, 0u);
  EXPECT_EQ(first.lastError, kErrorSuccess);

  MutexResult second = mutexes.CreateMutexA(true, name);
  EXPECT_NE(second.handle, 0u) << "the existing mutex is handed out too";
  EXPECT_EQ(second.lastError, kErrorAlreadyExists);
  EXPECT_TRUE(mutexes.CloseHandle(second.handle));

  MutexResult otherName = mutexes.CreateMutexA(false, name + "b");
  EXPECT_EQ(otherName.lastError, kErrorSuccess);
  EXPECT_TRUE(mutexes.CloseHandle(otherName.handle));

  EXPECT_TRUE(mutexes.CloseHandle(first.handle));
  MutexResult again = mutexes.CreateMutexA(true, name);
  EXPECT_EQ(again.lastError, kErrorSuccess) << "the name is free once every handle is closed";
  EXPECT_TRUE(mutexes.CloseHandle(again.handle));
  EXPECT_FALSE(mutexes.CloseHandle(again.handle));
}

}  // namespace
}  // namespace nimbul::platform::win32
