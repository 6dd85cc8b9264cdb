// The shell's default action runs a batch file with its parameters in its folder,
// as the update procedure relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_shell.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpUntil;
using testing::ScratchFolder;

TEST(ShellTest, BatchFileRunsInTheGivenFolderWithItsParameters) {
  Win32Files files;
  Win32Shell shell;
  ScratchFolder dir;
  // Written relative to the working folder: only lands in `dir` if the folder was passed.
  ASSERT_TRUE(files.WriteFile(dir.path() + "install.bat", "@echo %1>out.txt\r\n@ren out.txt done.txt\r\n"));
  shell.ShellExecuteA(Hwnd{}, dir.path() + "install.bat", "/upgedatet", dir.path(), SW_HIDE);
  ASSERT_TRUE(PumpUntil([&] { return files.FileExists(dir.path() + "done.txt"); }, 15000));
  std::string out;
  ASSERT_TRUE(files.ReadFile(dir.path() + "done.txt", &out));
  EXPECT_EQ(out, "/upgedatet\r\n");
}

}  // namespace
}  // namespace nimbul::platform::win32
