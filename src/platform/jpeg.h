// JPEG decoding on libjpeg: bytes in, 8-bit RGB rows out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace nimbul::platform {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top first, three bytes a pixel (red, green, blue)
};

// Nothing when the bytes are not a complete picture libjpeg can read; never
// throws and never ends the process on bad input.
std::optional<RgbImage> DecodeJpeg(const std::uint8_t* data, std::size_t size);

}  // namespace nimbul::platform
