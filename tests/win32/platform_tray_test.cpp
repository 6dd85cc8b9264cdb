// Icons and the notification area on the real system: a saved icon file the
// system takes back, and an icon window that hears the shell.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32/handle_ids.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_notify_area.h"
#include "platform_support.h"
#include "shell/ico_file.h"

namespace nimbul::platform::win32 {
namespace {

using testing::PumpUntil;

std::string OwnExe() {
  char path[MAX_PATH];
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(IconsTest, AFilesIconSavedAsAnIconFileLoadsBackWithItsPicture) {
  Win32Icons icons;
  IconOwner shellIcon = icons.FileSmallIcon(OwnExe());
  ASSERT_TRUE(shellIcon);
  IconPixels original;
  ASSERT_TRUE(icons.Pixels(shellIcon.get(), &original));
  EXPECT_EQ(original.width, 16);
  EXPECT_EQ(original.height, 16);

  const std::string file = shell::WriteIcoFile(original);
  shell::IcoImage image;
  ASSERT_TRUE(shell::ReadIcoFile(file, &image));
  IconOwner loaded = icons.FromIconImage(image.bytes, 16, 16);
  ASSERT_TRUE(loaded) << "the system refused the written image";
  IconPixels again;
  ASSERT_TRUE(icons.Pixels(loaded.get(), &again));
  ASSERT_EQ(again.argb.size(), original.argb.size());
  EXPECT_EQ(again.transparent, original.transparent);
  for (size_t i = 0; i < original.argb.size(); ++i) {
    if (original.transparent[i]) continue;
    EXPECT_EQ(again.argb[i] & 0xFFFFFF, original.argb[i] & 0xFFFFFF) << i;
  }
}

TEST(IconsTest, NoFileNoIconAndTheBuiltInsCopyBack) {
  Win32Icons icons;
  EXPECT_FALSE(icons.FileSmallIcon("C:\\no such folder\\no such file.xyz"));
  IconOwner app = icons.Copy(ToId<Hicon>(::LoadIconA(nullptr, IDI_APPLICATION)));
  EXPECT_TRUE(app);
  EXPECT_FALSE(icons.FromIconImage("not an image", 16, 16));
}

TEST(NotifyAreaTest, TheIconWindowHearsCallbacksAndTheTaskbarsBroadcast) {
  Win32NotifyArea area;
  std::vector<unsigned> heard;
  auto window = area.CreateCallbackWindow([&](unsigned message, std::uint32_t, std::uint32_t, std::int32_t* result) {
    if (message != 2024 && message != area.TaskbarCreatedMessage()) return false;
    heard.push_back(message);
    *result = 1;
    return true;
  });
  ASSERT_TRUE(window);
  HWND hwnd = FromId<HWND>(window->Handle());
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(area.TaskbarCreatedMessage(), ::RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(::SendMessageA(hwnd, 2024, 1, WM_LBUTTONDBLCLK), 1);
  // Only top-level windows get the shell's broadcast.
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutA(HWND_BROADCAST, area.TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  ASSERT_TRUE(PumpUntil([&] { return heard.size() == 2; }));
  EXPECT_EQ(heard[1], area.TaskbarCreatedMessage());

  NotifyIconRecord record;
  record.hWnd = window->Handle();
  record.uID = 1;
  record.uFlags = kNifMessage | kNifTip;
  record.uCallbackMessage = 2024;
  std::memcpy(record.szTip, "Nimbulon test", 14);
  EXPECT_TRUE(area.Shell_NotifyIconA(kNimAdd, record));
  EXPECT_TRUE(area.Shell_NotifyIconA(kNimModify, record));
  EXPECT_TRUE(area.Shell_NotifyIconA(kNimDelete, record));
  EXPECT_FALSE(area.Shell_NotifyIconA(kNimDelete, record)) << "already gone";
}

}  // namespace
}  // namespace nimbul::platform::win32
