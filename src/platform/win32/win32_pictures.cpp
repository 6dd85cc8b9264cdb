#include "platform/win32/win32_pictures.h"

#include <cstring>

#include "platform/jpeg.h"
#include "platform/win32/handle.h"
#include "platform/win32/handle_ids.h"

namespace nimbul::platform::win32 {

namespace {

// A top-down 24-bit section: rows of blue, green, red, each padded to four bytes.
BitmapHandle MakeBitmap(const RgbImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return BitmapHandle();
  const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~static_cast<std::size_t>(3);
  auto* out = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* from = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
    std::uint8_t* to = out + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < image.width; ++x) {
      to[x * 3] = from[x * 3 + 2];
      to[x * 3 + 1] = from[x * 3 + 1];
      to[x * 3 + 2] = from[x * 3];
    }
  }
  ::GdiFlush();
  return bitmap;
}

}  // namespace

Picture Win32Pictures::LoadJpegResource(const std::string& resourceName) {
  HRSRC found = ::FindResourceA(nullptr, resourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = ::SizeofResource(nullptr, found);
  if (!data || size == 0) return {};
  auto image = DecodeJpeg(static_cast<const std::uint8_t*>(data), size);
  if (!image) return {};
  BitmapHandle bitmap = MakeBitmap(*image);
  if (!bitmap) return {};
  BitmapOwner owner(ToId<Hbitmap>(bitmap.release()), [](Hbitmap h) { BitmapHandle(Bitmap(h)).reset(); });
  return Picture(std::move(owner), image->width, image->height);
}

HBITMAP Win32Pictures::Bitmap(Hbitmap h) { return FromId<HBITMAP>(h); }

}  // namespace nimbul::platform::win32
