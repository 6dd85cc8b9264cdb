// Icon files (.ico): picking one image out of a file, with every count, size
// and offset checked, and writing a single-image file from an icon's pixels.
#pragma once
#include <string>

#include "platform/icons.h"

namespace nimbul::shell {

// One image of an icon file: the bytes its directory entry points to (a
// bitmap header with colour and mask, or a PNG stream) and its size.
struct IcoImage {
  std::string bytes;
  int width = 0;
  int height = 0;
};

// The image of `file` that suits a 16x16 icon best (the exact size first,
// then the smallest larger one, then the largest); false when the file is
// not a well-formed icon file.
bool ReadIcoFile(const std::string& file, IcoImage* image);

// A standard icon file with one 32-bit image of the given pixels.
std::string WriteIcoFile(const platform::IconPixels& pixels);

}  // namespace nimbul::shell
