// Icons the program makes itself: from icon file images, from its resources,
// the shell's small icon of a file, and the pixels of an icon for saving.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/owner.h"
#include "platform/types.h"

namespace nimbul::platform {

// The pixels of one icon image, rows top to bottom: colour as 0xAARRGGBB and
// the mask (true: transparent).
struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
  std::vector<bool> transparent;
};

class Icons {
 public:
  virtual ~Icons() = default;
  // An icon from one image of an icon file (the bytes its directory entry
  // points to) at the given size; empty when the system refuses the image.
  virtual IconOwner FromIconImage(const std::string& image, int width, int height) = 0;
  // A 16x16 icon from the program's resources; empty when there is none.
  virtual IconOwner FromResource(const std::string& name) = 0;
  // The small icon the shell shows for a file; empty when it gives none or
  // an invalid one.
  virtual IconOwner FileSmallIcon(const std::string& path) = 0;
  // A copy of any icon (one of the program's or a window's); empty on failure.
  virtual IconOwner Copy(Hicon icon) = 0;
  // The pixels of an icon; false when they cannot be read.
  virtual bool Pixels(Hicon icon, IconPixels* out) = 0;
};

}  // namespace nimbul::platform
