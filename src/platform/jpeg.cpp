#include "platform/jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace nimbul::platform {

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr JDIMENSION kMaxSide = 8192;
// What libjpeg may take beside the picture itself: a progressive picture
// keeps all its coefficients, and past this it fails instead of allocating.
constexpr long kMaxWorkingMemory = 256L << 20;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
};

// libjpeg's default would end the process; this one jumps back to the decoder.
[[noreturn]] void FailDecoding(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

// Kept free of objects with destructors: a longjmp out of libjpeg lands here.
bool DecodeInto(const std::uint8_t* data, std::size_t size, jpeg_decompress_struct* info, ErrorManager* errors,
                RgbImage* image) {
  info->err = jpeg_std_error(&errors->base);
  errors->base.error_exit = FailDecoding;
  errors->base.emit_message = IgnoreMessage;
  if (setjmp(errors->escape)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  // The size the header claims is checked before anything is allocated for it.
  if (info->image_width == 0 || info->image_height == 0 || info->image_width > kMaxSide ||
      info->image_height > kMaxSide)
    return false;
  info->out_color_space = JCS_RGB;
  info->mem->max_memory_to_use = kMaxWorkingMemory;
  jpeg_start_decompress(info);
  if (info->output_width == 0 || info->output_height == 0 || info->output_width > kMaxSide ||
      info->output_height > kMaxSide || info->output_components != 3)
    return false;
  image->width = static_cast<int>(info->output_width);
  image->height = static_cast<int>(info->output_height);
  const std::size_t stride = static_cast<std::size_t>(image->width) * 3;
  image->rgb.resize(stride * static_cast<std::size_t>(image->height));
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = image->rgb.data() + stride * info->output_scanline;
    jpeg_read_scanlines(info, &row, 1);
  }
  // A truncated file reads as grey rows with a warning; take only complete pictures.
  if (errors->base.num_warnings != 0) return false;
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

std::optional<RgbImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0) return std::nullopt;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  RgbImage image;
  const bool ok = DecodeInto(data, size, &info, &errors, &image);
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;
  return image;
}

}  // namespace nimbul::platform
