// Pictures the program draws: bitmaps made from the JPEG pictures stored in
// the executable, handed out with their owners.
#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "platform/owner.h"

namespace nimbul::platform {

// A bitmap held by the system.
enum class Hbitmap : std::uint32_t {};
using BitmapOwner = Owned<Hbitmap>;

// A bitmap and its size; empty when there is no picture.
class Picture {
 public:
  Picture() = default;
  Picture(BitmapOwner bitmap, int width, int height) : bitmap_(std::move(bitmap)), width_(width), height_(height) {}
  bool Empty() const { return !bitmap_; }
  Hbitmap Bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  BitmapOwner bitmap_;
  int width_ = 0;
  int height_ = 0;
};

class Pictures {
 public:
  virtual ~Pictures() = default;
  // The JPEG picture stored in the program under `resourceName` (raw data),
  // decoded into a bitmap; an empty picture when it is missing or does not decode.
  virtual Picture LoadJpegResource(const std::string& resourceName) = 0;
};

}  // namespace nimbul::platform
