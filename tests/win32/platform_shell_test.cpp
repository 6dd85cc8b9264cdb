// The shell's default action runs a batch file with its parameters in its folder,
// as the update procedure relies on; the shell's library itself comes from the
// system folder only.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/late_bound.h"
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

// A file beside the program named like a library is never loaded in its
// place: plainly loaded, the planted file would be tried (and refused as no
// program); loaded as a system library it is not even looked at.
TEST(ShellTest, ALibraryPlantedBesideTheProgramIsNotTakenForTheSystems) {
  char exe[MAX_PATH];
  std::string folder(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH));
  folder.erase(folder.find_last_of('\\') + 1);
  const std::string planted = folder + "nimbul_planted_lib.dll";
  Win32Files files;
  ASSERT_TRUE(files.WriteFile(planted, "not a library"));
  EXPECT_EQ(::LoadLibraryA("nimbul_planted_lib.dll"), nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(SystemLibrary("nimbul_planted_lib.dll"), nullptr);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  files.DeleteFileA(planted);
  EXPECT_EQ(SystemLibrary("kernel32.dll"), ::GetModuleHandleA("kernel32.dll"));
}

}  // namespace
}  // namespace nimbul::platform::win32
