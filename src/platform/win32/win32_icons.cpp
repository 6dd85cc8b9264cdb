#include "platform/win32/win32_icons.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/handle_ids.h"
#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

namespace {

// A handle the system really knows as an icon; the shell has been seen to
// hand out stale ones.
bool IsIcon(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return false;
  BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
  return true;
}

// The rows of a bitmap as 32-bit pixels, top row first.
bool ReadRows(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>* rows) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  rows->assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  return ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), rows->data(), &bi, DIB_RGB_COLORS) == height;
}

// The owner of an icon this program made.
IconOwner Own(HICON icon) {
  if (!icon) return {};
  return IconOwner(ToId<Hicon>(icon), [](Hicon h) { ::DestroyIcon(FromId<HICON>(h)); });
}

}  // namespace

IconOwner Win32Icons::FromIconImage(const std::string& image, int width, int height) {
  if (image.empty()) return {};
  std::vector<BYTE> bytes(image.begin(), image.end());
  HICON icon = ::CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, width,
                                          height, LR_DEFAULTCOLOR);
  return Own(icon);
}

IconOwner Win32Icons::FromResource(const std::string& name) {
  HANDLE icon = ::LoadImageA(::GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
  return Own(static_cast<HICON>(icon));
}

IconOwner Win32Icons::FileSmallIcon(const std::string& path) {
  SHFILEINFOA info{};
  static_assert(sizeof info == 352, "the shell's file information record");
  static auto* const fileInfo = LateBound<decltype(::SHGetFileInfoA)>("shell32.dll", "SHGetFileInfoA");
  if (!fileInfo || !fileInfo(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return {};
  IconHandle icon(info.hIcon);
  if (!IsIcon(icon.get())) {
    // Not an icon: nothing to give back to the system.
    icon.release();
    return {};
  }
  return Own(icon.release());
}

IconOwner Win32Icons::Copy(Hicon icon) {
  if (IsNull(icon)) return {};
  return Own(::CopyIcon(FromId<HICON>(icon)));
}

bool Win32Icons::Pixels(Hicon icon, IconPixels* out) {
  ICONINFO info{};
  if (IsNull(icon) || !::GetIconInfo(FromId<HICON>(icon), &info)) return false;
  BitmapHandle colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  if (!mask || !::GetObjectA(mask.get(), sizeof bm, &bm)) return false;
  const int width = bm.bmWidth;
  // A monochrome icon keeps its picture in the lower half of the mask.
  const int height = colour ? bm.bmHeight : bm.bmHeight / 2;
  if (width <= 0 || height <= 0 || width > 256 || height > 256) return false;
  HDC screen = ::GetDC(nullptr);
  std::vector<std::uint32_t> colours, masks;
  bool ok = ReadRows(screen, mask.get(), width, colour ? height : height * 2, &masks);
  if (ok && colour) ok = ReadRows(screen, colour.get(), width, height, &colours);
  ::ReleaseDC(nullptr, screen);
  if (!ok) return false;
  const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (!colour) {
    // The upper half is the AND mask, the lower the XOR picture.
    colours.assign(masks.begin() + static_cast<std::ptrdiff_t>(n), masks.end());
    masks.resize(n);
  }
  bool anyAlpha = false;
  for (std::uint32_t c : colours) anyAlpha = anyAlpha || (c >> 24) != 0;
  out->width = width;
  out->height = height;
  out->argb.resize(n);
  out->transparent.resize(n);
  for (size_t i = 0; i < n; ++i) {
    bool clear = (masks[i] & 0xFFFFFF) != 0;
    std::uint32_t c = colours[i];
    if (!anyAlpha) c = clear ? (c & 0xFFFFFF) : (c | 0xFF000000u);
    out->argb[i] = c;
    out->transparent[i] = clear;
  }
  return true;
}

}  // namespace nimbul::platform::win32
