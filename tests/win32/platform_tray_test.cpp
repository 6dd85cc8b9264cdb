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

// Every kind of image the icon reader takes, the system shows.
TEST(IconsTest, TheSystemShowsEveryImageTheReaderTakes) {
  Win32Icons icons;
  for (int bits : {1, 4, 8, 16, 24, 32})
    for (std::uint32_t compression : {0u, 3u}) {
      if (compression == 3 && bits != 16 && bits != 32) continue;
      // Header, colour masks, palette, colour rows and mask rows.
      std::string image(40, '\0');
      auto put = [&image](std::size_t at, std::uint32_t v) { std::memcpy(&image[at], &v, 4); };
      put(0, 40), put(4, 16), put(8, 32), put(16, compression);
      image[12] = 1, image[14] = static_cast<char>(bits);
      std::string masks;
      if (compression == 3) {
        const std::uint32_t m[3] = {bits == 16 ? 0xF800u : 0xFF0000u, bits == 16 ? 0x07E0u : 0xFF00u,
                                    bits == 16 ? 0x001Fu : 0xFFu};
        masks.assign(reinterpret_cast<const char*>(m), 12);
      }
      image += masks + std::string((bits <= 8 ? 4u << bits : 0) + ((16 * bits + 31) / 32) * 4 * 16 + 4 * 16, '\x55');
      // Directory and its one entry: 16x16, the image right after them.
      std::string file(22, '\0');
      auto putFile = [&file](std::size_t at, std::uint32_t v) { std::memcpy(&file[at], &v, 4); };
      file[2] = 1, file[4] = 1, file[6] = 16, file[7] = 16, file[10] = 1, file[12] = static_cast<char>(bits);
      putFile(14, static_cast<std::uint32_t>(image.size()));
      putFile(18, 22);
      file += image;
      shell::IcoImage read;
      ASSERT_TRUE(shell::ReadIcoFile(file, &read)) << bits << " bits, compression " << compression;
      EXPECT_TRUE(icons.FromIconImage(read.bytes, 16, 16)) << bits << " bits, compression " << compression;
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
