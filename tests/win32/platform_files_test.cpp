// Files in a scratch folder, and the version resource of the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_version_info.h"
#include "platform_support.h"

namespace nimbul::platform::win32 {
namespace {

using testing::ScratchFolder;

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST(FilesTest, WrittenFileReadsBackWholeAndOverwritingTruncates) {
  Win32Files files;
  ScratchFolder dir;
  std::string path = dir.path() + "versnfo~.tmp";
  std::string binary("line 1\r\n\0\xff\x80 end", 15);
  std::string large(3 * 1024 * 1024 + 17, 'x');
  for (std::size_t i = 0; i < large.size(); i += 4099) large[i] = static_cast<char>(i);

  ASSERT_TRUE(files.WriteFile(path, binary));
  std::string read;
  ASSERT_TRUE(files.ReadFile(path, &read));
  EXPECT_EQ(read, binary);

  ASSERT_TRUE(files.WriteFile(path, large));
  ASSERT_TRUE(files.ReadFile(path, &read));
  EXPECT_TRUE(read == large) << "a file larger than one read";

  ASSERT_TRUE(files.WriteFile(path, "short"));
  ASSERT_TRUE(files.ReadFile(path, &read));
  EXPECT_EQ(read, "short");

  ASSERT_TRUE(files.WriteFile(path, ""));
  ASSERT_TRUE(files.ReadFile(path, &read));
  EXPECT_EQ(read, "");
}

TEST(FilesTest, MissingFilesAndFoldersAreReportedAsFailures) {
  Win32Files files;
  ScratchFolder dir;
  std::string data = "untouched";
  EXPECT_FALSE(files.ReadFile(dir.path() + "newver.axe", &data));
  EXPECT_EQ(data, "untouched");
  EXPECT_FALSE(files.WriteFile(dir.path() + "no such folder\\newver.axe", "x"));
  EXPECT_FALSE(files.FileExists(dir.path() + "newver.axe"));
  EXPECT_FALSE(files.DeleteFileA(dir.path() + "newver.axe"));
}

TEST(FilesTest, ExistsAndDeleteAreForFilesOnly) {
  Win32Files files;
  ScratchFolder dir;
  std::string path = dir.path() + "newver.axe";
  ASSERT_TRUE(files.WriteFile(path, "MZ"));
  EXPECT_TRUE(files.FileExists(path));
  EXPECT_TRUE(files.FileExists(dir.path() + "NEWVER.AXE")) << "names ignore letter case";
  EXPECT_TRUE(files.DeleteFileA(path));
  EXPECT_FALSE(files.FileExists(path));

  ::CreateDirectoryA((dir.path() + "Icons").c_str(), nullptr);
  EXPECT_FALSE(files.FileExists(dir.path() + "Icons")) << "a folder is no file";
  EXPECT_FALSE(files.DeleteFileA(dir.path() + "Icons"));
}

TEST(FilesTest, ListingGivesNamesOfPlainFilesMatchingThePattern) {
  Win32Files files;
  ScratchFolder dir;
  for (const char* name : {"Blue.ico", "apple.ICO", "notes.txt", "hidden.ico", "system.ico"})
    ASSERT_TRUE(files.WriteFile(dir.path() + name, "icon"));
  ::SetFileAttributesA((dir.path() + "hidden.ico").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesA((dir.path() + "system.ico").c_str(), FILE_ATTRIBUTE_SYSTEM);
  ::CreateDirectoryA((dir.path() + "folder.ico").c_str(), nullptr);

  EXPECT_EQ(Sorted(files.ListFiles(dir.path() + "*.ico")), (std::vector<std::string>{"Blue.ico", "apple.ICO"}));
  EXPECT_EQ(Sorted(files.ListFiles(dir.path() + "*")),
            (std::vector<std::string>{"Blue.ico", "apple.ICO", "notes.txt"}));
  EXPECT_TRUE(files.ListFiles(dir.path() + "*.bmp").empty());
  EXPECT_TRUE(files.ListFiles(dir.path() + "missing\\*.ico").empty());
}

TEST(FilesTest, ExecutablePathIsTheRunningProgram) {
  Win32Files files;
  std::string path = files.ExecutablePath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.find(':'), 1u) << "a full path: " << path;
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
  EXPECT_EQ(lower.substr(lower.size() - 4), ".exe");
  EXPECT_TRUE(files.FileExists(path));
}

TEST(VersionInfoTest, FileVersionOfTheTestProgramsOwnResource) {
  Win32Files files;
  Win32VersionInfo version;
  auto parts = version.FileVersion(files.ExecutablePath());
  ASSERT_TRUE(parts.has_value());
  // Parts above 255 show that each is a whole 16-bit word, in order.
  EXPECT_EQ(*parts, (std::array<std::uint16_t, 4>{3, 14, 159, 2653}));
}

TEST(VersionInfoTest, FilesWithoutVersionResourceHaveNoVersion) {
  Win32Files files;
  Win32VersionInfo version;
  ScratchFolder dir;
  ASSERT_TRUE(files.WriteFile(dir.path() + "plain.exe", "not a program"));
  EXPECT_FALSE(version.FileVersion(dir.path() + "plain.exe").has_value());
  EXPECT_FALSE(version.FileVersion(dir.path() + "missing.exe").has_value());
}

TEST(VersionInfoTest, ShippedProgramBesideTheTestsIsVersion1716) {
  Win32Files files;
  Win32VersionInfo version;
  std::string exe = files.ExecutablePath();
  std::string nimbul = exe.substr(0, exe.find_last_of('\\') + 1) + "Nimbul.exe";
  if (!files.FileExists(nimbul)) GTEST_SKIP() << "no Nimbul.exe beside " << exe;
  auto parts = version.FileVersion(nimbul);
  ASSERT_TRUE(parts.has_value());
  EXPECT_EQ(*parts, (std::array<std::uint16_t, 4>{1, 7, 1, 6}));
}

}  // namespace
}  // namespace nimbul::platform::win32
