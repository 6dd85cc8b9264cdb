// Icon files (.ico): picking one image out of a file, with every count, size
// and offset checked, and writing a single-image file from an icon's pixels.
#pragma once
#include <cstddef>
#include <string>

#include "platform/icons.h"

namespace nimbul::shell {

// One image of an icon file: the bytes its directory entry points to (a
// bitmap header with colour and mask, or a PNG stream) and its size.
struct IcoImage {
  std::string bytes;
  int width = 0;
  int height = 0;
  int bits = 0;  // bits per pixel
};

// How much of an icon file is read: icon files are small, and a large or
// crafted one must not hold up the start. Images past this are not looked at.
inline constexpr std::size_t kMaxIcoFileBytes = 1 << 20;

// The image of `file` that suits a 16x16 icon best: the exact size first,
// then the smallest larger one, then the largest; of equal sizes the one
// with the most colours. Images the system could not show are passed over;
// false when the directory is malformed or no image is left.
bool ReadIcoFile(const std::string& file, IcoImage* image);

// A standard icon file with one 32-bit image of the given pixels.
std::string WriteIcoFile(const platform::IconPixels& pixels);

}  // namespace nimbul::shell
