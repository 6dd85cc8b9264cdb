#include "shell/ico_file.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace nimbul::shell {

namespace {

constexpr std::size_t kDirSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
constexpr std::size_t kPngHeaderEnd = 8 + 8 + 13;  // signature, IHDR length and type, IHDR data
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
// Bitmap compression: plain rows, or rows with colour masks.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

std::uint32_t U16(std::string_view s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8;
}

std::uint32_t U32(std::string_view s, std::size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

std::int32_t I32(std::string_view s, std::size_t at) { return static_cast<std::int32_t>(U32(s, at)); }

std::uint32_t BigU32(std::string_view s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

void Put16(std::string* s, std::uint32_t v) {
  s->push_back(static_cast<char>(v & 0xFF));
  s->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string* s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// Bytes per row of a bitmap, rows padded to 32 bits.
std::uint64_t RowBytes(std::uint64_t width, std::uint64_t bits) { return ((width * bits + 31) / 32) * 4; }

struct Shape {
  int width = 0, height = 0, bits = 0;
};

// A bitmap image the system shows: a header, colour masks where the header
// asks for them, the palette, colour rows and mask rows, all inside the image.
bool BitmapShape(std::string_view image, Shape* shape) {
  if (image.size() < kBitmapHeaderSize) return false;
  const std::uint32_t headerSize = U32(image, 0);
  if (headerSize < kBitmapHeaderSize || headerSize > image.size()) return false;
  const std::int32_t w = I32(image, 4);
  const std::int32_t doubledH = I32(image, 8);
  const std::uint32_t planes = U16(image, 12);
  const std::uint32_t bits = U16(image, 14);
  const std::uint32_t compression = U32(image, 16);
  const std::uint32_t used = U32(image, 32);
  // The height counts colour and mask; icons are at most 256 pixels a side.
  if (w <= 0 || w > 256 || doubledH <= 0 || doubledH > 512 || doubledH % 2 != 0) return false;
  if (planes != 1) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  // Masks give the place of each colour in a 16- or 32-bit pixel; run-length
  // and embedded formats make no icon.
  std::uint64_t masks = 0;
  if (compression == kBiBitfields) {
    if (bits != 16 && bits != 32) return false;
    if (headerSize == kBitmapHeaderSize) masks = 3 * 4;
  } else if (compression != kBiRgb) {
    return false;
  }
  if (bits <= 8 && used > (1u << bits)) return false;
  const std::uint64_t colours = bits <= 8 && used == 0 ? (1u << bits) : used;
  const std::uint64_t h = static_cast<std::uint64_t>(doubledH) / 2;
  const std::uint64_t need = headerSize + masks + colours * 4 + RowBytes(static_cast<std::uint64_t>(w), bits) * h +
                             RowBytes(static_cast<std::uint64_t>(w), 1) * h;
  if (need > image.size()) return false;
  *shape = {w, static_cast<int>(h), static_cast<int>(bits)};
  return true;
}

// A PNG image: its size and depth come from its header chunk.
bool PngShape(std::string_view image, Shape* shape) {
  if (image.size() < kPngHeaderEnd || image.compare(0, 8, std::string_view(kPngSignature, 8)) != 0) return false;
  if (BigU32(image, 8) != 13 || image.compare(12, 4, "IHDR") != 0) return false;
  const std::uint32_t w = BigU32(image, 16), h = BigU32(image, 20);
  const unsigned depth = static_cast<unsigned char>(image[24]);
  const unsigned colourType = static_cast<unsigned char>(image[25]);
  // Channels per pixel by colour type: grey, -, RGB, palette, grey and alpha, -, RGBA.
  static constexpr unsigned kChannels[] = {1, 0, 3, 1, 2, 0, 4};
  if (w == 0 || h == 0 || w > 0x10000 || h > 0x10000 || colourType > 6 || kChannels[colourType] == 0) return false;
  if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) return false;
  *shape = {static_cast<int>(w), static_cast<int>(h), static_cast<int>(depth * kChannels[colourType])};
  return true;
}

// How well a size suits a 16x16 icon: lower is better.
std::uint64_t Distance(int size) {
  if (size == 16) return 0;
  if (size > 16) return static_cast<std::uint64_t>(size);
  return 0x20000 + static_cast<std::uint64_t>(256 - size);
}

}  // namespace

bool ReadIcoFile(const std::string& file, IcoImage* image) {
  const std::string_view all(file);
  if (all.size() < kDirSize) return false;
  if (U16(all, 0) != 0 || U16(all, 2) != 1) return false;
  const std::uint32_t count = U16(all, 4);
  if (count == 0) return false;
  // 64-bit sums: an offset plus a size never wraps around.
  if (kDirSize + static_cast<std::uint64_t>(count) * kEntrySize > all.size()) return false;
  bool found = false;
  std::uint64_t bestDistance = 0;
  std::string_view best;
  Shape bestShape;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirSize + i * kEntrySize;
    const std::uint64_t size = U32(all, entry + 8);
    const std::uint64_t offset = U32(all, entry + 12);
    // An entry that points outside the file (or past what was read of it)
    // is passed over; the others may still serve.
    if (size == 0 || offset < kDirSize || offset + size > all.size()) continue;
    const std::string_view bytes = all.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    Shape shape;
    if (!PngShape(bytes, &shape) && !BitmapShape(bytes, &shape)) continue;
    const std::uint64_t d = Distance(shape.width);
    if (!found || d < bestDistance || (d == bestDistance && shape.bits > bestShape.bits)) {
      found = true;
      bestDistance = d;
      best = bytes;
      bestShape = shape;
    }
  }
  if (!found) return false;
  image->bytes.assign(best.data(), best.size());
  image->width = bestShape.width;
  image->height = bestShape.height;
  image->bits = bestShape.bits;
  return true;
}

std::string WriteIcoFile(const platform::IconPixels& pixels) {
  const int w = pixels.width, h = pixels.height;
  const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  if (w <= 0 || h <= 0 || w > 256 || h > 256 || pixels.argb.size() != n || pixels.transparent.size() != n)
    return std::string();
  const std::uint32_t maskRow = static_cast<std::uint32_t>(RowBytes(static_cast<std::uint64_t>(w), 1));
  const std::uint32_t imageSize =
      static_cast<std::uint32_t>(kBitmapHeaderSize + n * 4 + static_cast<std::size_t>(maskRow) * h);
  std::string out;
  // Directory: reserved, type 1 (icon), one image.
  Put16(&out, 0);
  Put16(&out, 1);
  Put16(&out, 1);
  // Entry: width and height (0 means 256), no palette, planes 1, 32 bits.
  out.push_back(static_cast<char>(w == 256 ? 0 : w));
  out.push_back(static_cast<char>(h == 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  Put16(&out, 1);
  Put16(&out, 32);
  Put32(&out, imageSize);
  Put32(&out, static_cast<std::uint32_t>(kDirSize + kEntrySize));
  // Bitmap header: the height counts colour and mask together.
  Put32(&out, kBitmapHeaderSize);
  Put32(&out, static_cast<std::uint32_t>(w));
  Put32(&out, static_cast<std::uint32_t>(h * 2));
  Put16(&out, 1);
  Put16(&out, 32);
  for (int i = 0; i < 6; ++i) Put32(&out, 0);
  // Colour rows bottom up; a transparent pixel is black with no alpha.
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
      Put32(&out, pixels.transparent[i] ? 0 : pixels.argb[i]);
    }
  // Mask rows bottom up, one bit per pixel, set where transparent.
  for (int y = h - 1; y >= 0; --y) {
    std::string row(maskRow, '\0');
    for (int x = 0; x < w; ++x)
      if (pixels.transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)])
        row[static_cast<std::size_t>(x / 8)] =
            static_cast<char>(row[static_cast<std::size_t>(x / 8)] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

}  // namespace nimbul::shell
