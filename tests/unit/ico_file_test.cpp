#include <gtest/gtest.h>

#include <random>

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
