#include "screenshot.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/win32/handle.h"

namespace nimbul::e2e {
namespace {

struct ScreenDcPolicy {
  using Value = HDC;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { ReleaseDC(nullptr, v); }
};

struct MemoryDcPolicy {
  using Value = HDC;
  static Value Invalid() { return nullptr; }
  static void Close(Value v) { DeleteDC(v); }
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool SaveScreenshot(const std::string& path, const RECT* area) {
  using platform::win32::UniqueHandle;
  RECT part{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (area && !IntersectRect(&part, &part, area)) return false;
  const int width = part.right - part.left;
  const int height = part.bottom - part.top;
  UniqueHandle<ScreenDcPolicy> screen(GetDC(nullptr));
  if (!screen || width <= 0 || height <= 0) return false;
  UniqueHandle<MemoryDcPolicy> memory(CreateCompatibleDC(screen.get()));
  platform::win32::BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!memory || !bitmap) return false;

  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), part.left, part.top, SRCCOPY) != 0;
  SelectObject(memory.get(), previous);
  if (!copied) return false;

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as BMP files store rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  info.biSizeImage = stride * static_cast<DWORD>(height);
  std::vector<BYTE> pixels(info.biSizeImage);
  if (!GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
    return false;
  }

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(path.c_str(), "wb"));
  if (!out) return false;
  return std::fwrite(&file, sizeof file, 1, out.get()) == 1 && std::fwrite(&info, sizeof info, 1, out.get()) == 1 &&
         std::fwrite(pixels.data(), pixels.size(), 1, out.get()) == 1;
}

void SaveDocsShot(const char* name, HWND window, int margin) {
  const char* dir = std::getenv("NIMBUL_DOCS_SHOTS");
  if (!dir || !*dir) return;
  Sleep(700);
  RECT area;
  if (!GetWindowRect(window, &area)) return;
  InflateRect(&area, margin, margin);
  SaveScreenshot(std::string(dir) + "\\" + name, &area);
}

}  // namespace nimbul::e2e
