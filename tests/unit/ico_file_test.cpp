#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "shell/ico_file.h"

namespace nimbul::shell {
namespace {

platform::IconPixels Picture(int w, int h) {
  platform::IconPixels p;
  p.width = w;
  p.height = h;
  for (int i = 0; i < w * h; ++i) {
    p.argb.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8));
    p.transparent.push_back(i % 5 == 0);
  }
  return p;
}

void Set32(std::string* s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) (*s)[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One bitmap image: header, palette, colour rows and mask rows, zero-filled.
std::string Bitmap(int w, int bits, std::uint32_t compression = 0) {
  std::string b(40, '\0');
  Set32(&b, 0, 40);
  Set32(&b, 4, static_cast<std::uint32_t>(w));
  Set32(&b, 8, static_cast<std::uint32_t>(2 * w));
  b[12] = 1;
  b[14] = static_cast<char>(bits);
  Set32(&b, 16, compression);
  const std::size_t masks = compression == 3 ? 12 : 0;
  const std::size_t palette = bits <= 8 ? (std::size_t{4} << bits) : 0;
  const std::size_t rows = static_cast<std::size_t>(((w * bits + 31) / 32) * 4 * w + ((w + 31) / 32) * 4 * w);
  return b + std::string(masks + palette + rows, '\0');
}

// An icon file of the given images, each entry's offset and size filled in;
// `gap` bytes of filler lie between the directory and the images.
std::string Ico(const std::vector<std::string>& images, std::size_t gap = 0) {
  std::string file(6 + 16 * images.size(), '\0');
  file[2] = 1;
  file[4] = static_cast<char>(images.size());
  std::size_t at = file.size() + gap;
  for (std::size_t i = 0; i < images.size(); ++i) {
    Set32(&file, 6 + 16 * i + 8, static_cast<std::uint32_t>(images[i].size()));
    Set32(&file, 6 + 16 * i + 12, static_cast<std::uint32_t>(at));
    at += images[i].size();
  }
  file += std::string(gap, 'x');
  for (const std::string& image : images) file += image;
  return file;
}

TEST(IcoFile, AWrittenFileReadsBackAsOneValidImage) {
  std::string file = WriteIcoFile(Picture(16, 16));
  // Directory, one entry, header, 16x16 colour, 16 mask rows of 4 bytes.
  EXPECT_EQ(file.size(), 6u + 16u + 40u + 1024u + 64u);
  IcoImage image;
  ASSERT_TRUE(ReadIcoFile(file, &image));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.height, 16);
  EXPECT_EQ(image.bytes, file.substr(22));
  // Bottom row first: the first colour is the last row's first pixel.
  platform::IconPixels p = Picture(16, 16);
  std::uint32_t first = static_cast<unsigned char>(file[62]) | static_cast<unsigned char>(file[63]) << 8 |
                        static_cast<unsigned char>(file[64]) << 16 |
                        static_cast<std::uint32_t>(static_cast<unsigned char>(file[65])) << 24;
  EXPECT_EQ(first, p.transparent[240] ? 0u : p.argb[240]);
}

TEST(IcoFile, PicksTheSixteenPixelImageOfSeveral) {
  std::string big = WriteIcoFile(Picture(32, 32)), small = WriteIcoFile(Picture(16, 16));
  // Two entries: 32x32 first, then 16x16, images after the directory.
  std::string file = big.substr(0, 6) + big.substr(6, 16) + small.substr(6, 16);
  file[4] = 2;
  std::string bigImage = big.substr(22), smallImage = small.substr(22);
  Set32(&file, 6 + 12, static_cast<std::uint32_t>(38));
  Set32(&file, 22 + 12, static_cast<std::uint32_t>(38 + bigImage.size()));
  file += bigImage + smallImage;
  IcoImage image;
  ASSERT_TRUE(ReadIcoFile(file, &image));
  EXPECT_EQ(image.width, 16);
  EXPECT_EQ(image.bytes, smallImage);
}

// Which image of several is taken: the best size, then the most colours;
// images the system could not show are passed over.
TEST(IcoFile, TakesTheBestImageTheSystemCanShow) {
  const std::string unshowable = Bitmap(16, 8, 1);  // run-length rows
  struct Case {
    const char* what;
    std::vector<std::string> images;
    std::size_t expected;
  } cases[] = {
      {"deepest colour at 16x16", {Bitmap(16, 4), Bitmap(32, 32), Bitmap(16, 32), Bitmap(16, 8)}, 2},
      {"16-bit colour", {Bitmap(16, 1), Bitmap(16, 16)}, 1},
      {"colour masks", {Bitmap(16, 8), Bitmap(16, 32, 3)}, 1},
      {"an unshowable image is passed over", {unshowable, Bitmap(16, 4)}, 1},
      {"the exact size before more colours", {Bitmap(48, 32), Bitmap(16, 1)}, 1},
      {"the smallest larger size", {Bitmap(48, 32), Bitmap(8, 32), Bitmap(24, 8)}, 2},
  };
  for (const Case& c : cases) {
    IcoImage image;
    ASSERT_TRUE(ReadIcoFile(Ico(c.images), &image)) << c.what;
    EXPECT_EQ(image.bytes, c.images[c.expected]) << c.what;
  }
  // An entry that points past the end is passed over too.
  std::string file = Ico({Bitmap(16, 32), Bitmap(16, 4)});
  Set32(&file, 6 + 12, 0x7FFFFFF0u);
  IcoImage image;
  ASSERT_TRUE(ReadIcoFile(file, &image));
  EXPECT_EQ(image.bits, 4);
  EXPECT_FALSE(ReadIcoFile(Ico({unshowable, Bitmap(16, 24, 3)}), &image)) << "nothing showable";
}

TEST(IcoFile, MalformedFilesAreRefused) {
  const std::string good = WriteIcoFile(Picture(16, 16));
  struct Case {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  } cases[] = {
      {"type is not icon", 2, 2},
      {"no images", 4, 0},
      {"more entries than bytes", 4, 500},
      {"image size zero", 14, 0},
      {"image size past the end", 14, 100000},
      {"offset past the end", 18, 100000},
      {"offset plus size wraps around", 18, 0xFFFFFFF0u},
      {"offset inside the directory", 18, 2},
      {"header size too small", 22, 12},
      {"width zero", 26, 0},
      {"huge height", 30, 0x7FFFFFFF},
      {"odd height", 30, 31},
      {"compressed", 38, 1},
  };
  for (const Case& c : cases) {
    std::string file = good;
    if (c.at == 2 || c.at == 4)
      file[c.at] = static_cast<char>(c.value), file[c.at + 1] = static_cast<char>(c.value >> 8);
    else
      Set32(&file, c.at, c.value);
    IcoImage image;
    EXPECT_FALSE(ReadIcoFile(file, &image)) << c.what;
  }
  IcoImage image;
  EXPECT_FALSE(ReadIcoFile("", &image));
  EXPECT_FALSE(ReadIcoFile(good.substr(0, good.size() - 1), &image)) << "mask cut short";
}

// Random and mutated files never crash the reader and, when accepted, give
// an image that lies inside the file.
TEST(IcoFile, RandomAndMutatedBytesAreReadSafely) {
  std::mt19937 rng(20261208);
  const std::string good = WriteIcoFile(Picture(16, 16));
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string file;
    if (round % 2 == 0) {
      file.resize(rng() % 200);
      for (char& c : file) c = static_cast<char>(rng());
      if (file.size() >= 6) file[0] = file[1] = file[3] = 0, file[2] = 1;
    } else {
      file = good;
      for (unsigned n = rng() % 6 + 1; n > 0; --n) {
        std::size_t at = rng() % file.size();
        static const std::uint32_t kValues[] = {0, 1, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0x80000000};
        if (at + 4 <= file.size() && rng() % 2)
          Set32(&file, at, kValues[rng() % 7]);
        else
          file[at] = static_cast<char>(rng());
      }
      if (rng() % 4 == 0) file.resize(rng() % file.size());
    }
    IcoImage image;
    if (ReadIcoFile(file, &image)) {
      ++accepted;
      EXPECT_FALSE(image.bytes.empty());
      EXPECT_NE(file.find(image.bytes), std::string::npos);
    }
  }
  EXPECT_GT(accepted, 0);
}

TEST(IcoFile, PixelsOfTheWrongShapeWriteNothing) {
  platform::IconPixels p = Picture(16, 16);
  p.argb.pop_back();
  EXPECT_TRUE(WriteIcoFile(p).empty());
  EXPECT_TRUE(WriteIcoFile(platform::IconPixels{}).empty());
}

}  // namespace
}  // namespace nimbul::shell
