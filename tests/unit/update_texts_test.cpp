// The pure pieces of the update: versions and their order, the
// recommendation, the progress text, the batch file and the integrity checks.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include "update/install_batch.h"
#include "update/integrity.h"
#include "update/version_description.h"
#include "publish.h"
#include "update_fixture.h"

namespace nimbul::update {
namespace {

using nimbul::testing::FakeProgram;
using nimbul::testing::SignedDescription;
using nimbul::testing::TestKeys;

TEST(UpdateVersions, KeyConcatenatesFourDigitParts) {
  EXPECT_EQ(VersionKey({1, 7, 1, 6}), 1000700010006u);
  EXPECT_EQ(VersionKey({9999, 9999, 9999, 9999}), 9999999999999999u);
}

TEST(UpdateVersions, OnlyFourDotSeparatedNumbersAreAVersion) {
  EXPECT_EQ(ParseVersion("1.8.0.0"), (Version{1, 8, 0, 0}));
  EXPECT_EQ(ParseVersion("1.10.0.9999"), (Version{1, 10, 0, 9999}));
  for (const char* bad : {"", "1.8.0", "1.8.0.0.1", "1.8.0.0 ", " 1.8.0.0", "1..0.0", "1.8.0.x", "<html>",
                          "1.8.0.10000", "-1.8.0.0", "1.8.0."})
    EXPECT_FALSE(ParseVersion(bad)) << bad;
}

TEST(UpdateVersions, RecommendationFollowsTheMostSignificantGreaterPart) {
  struct Case {
    Version current, offered;
    bool newer;
    const char* level;
  };
  const Case cases[] = {
      {{1, 7, 1, 6}, {1, 7, 1, 6}, false, ""},
      {{1, 7, 1, 6}, {1, 7, 1, 5}, false, ""},
      {{1, 7, 1, 6}, {1, 7, 1, 7}, true, "only a very small versionjump"},
      {{1, 7, 1, 6}, {1, 7, 2, 0}, true, "only offers a small versionjump"},
      {{1, 7, 1, 6}, {1, 8, 0, 0}, true, "offers a big versionjump"},
      {{1, 7, 1, 6}, {2, 0, 0, 0}, true, "offers a major versionjump"},
      {{1, 7, 9, 9}, {1, 8, 0, 0}, true, "offers a big versionjump"},
      {{1, 9, 0, 0}, {1, 10, 0, 0}, true, "offers a big versionjump"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsNewer(c.current, c.offered), c.newer);
    EXPECT_EQ(IsNewer(c.current, c.offered), VersionKey(c.current) < VersionKey(c.offered));
    if (c.newer) {
      EXPECT_NE(RecommendationText(c.current, c.offered).find(c.level), std::string::npos) << c.level;
    }
  }
}

TEST(UpdateVersions, ProgressTextRoundsHalvesToEven) {
  EXPECT_EQ(ProgressText(1536, 2560), "2 Kbytes of 2 Kbytes");
  EXPECT_EQ(ProgressText(512, 0), "0 Kbytes of 0 Kbytes");
  EXPECT_EQ(ProgressText(3584, 4096), "4 Kbytes of 4 Kbytes");
  EXPECT_EQ(ProgressText(1537, 1048576), "2 Kbytes of 1024 Kbytes");
}

TEST(UpdateVersions, LinesEndAtCrLfLfOrCr) {
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLines("\r\n"), std::vector<std::string>{""});
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(UpdateVersions, RandomDescriptionsNeverBreakTheParser) {
  std::mt19937 random(5);
  const TestKeys keys;
  for (int i = 0; i < 20000; ++i) {
    std::string text(random() % 60, '\0');
    for (char& c : text) c = static_cast<char>(random() % 3 == 0 ? "0123456789.\r\n"[random() % 13] : random() % 256);
    VersionDescription d = ParseDescription(text);
    if (d.version) {
      for (std::uint32_t part : *d.version) EXPECT_LE(part, 9999u);
    }
    EXPECT_NE(CheckDescription(d, keys.publicHex), "") << "random text is never signed";
  }
}

TEST(InstallBatch, EveryPathIsQuotedWithItsPercentSignsDoubledAndToolsHaveTheirFullPath) {
  const std::string folder = "C:\\A & B (x86)\\50% ^off\\";
  std::string text = InstallBatchText(folder + "Nimbul.exe", folder);
  const std::string quotedFolder = "\"C:\\A & B (x86)\\50%% ^off\\";
  // Every mention of the folder is inside quotes, and no single "%" of it is left.
  std::size_t mentions = 0;
  for (std::size_t at = text.find("C:\\A & B"); at != std::string::npos; at = text.find("C:\\A & B", at + 1)) {
    ++mentions;
    EXPECT_EQ(text.compare(at - 1, quotedFolder.size(), quotedFolder), 0) << text.substr(at - 1, 40);
  }
  EXPECT_GE(mentions, 10u);
  EXPECT_NE(text.find("start \"\" " + quotedFolder + "Nimbul.exe\" /upgedatet\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"%SystemRoot%\\System32\\ping.exe\" -n 2 127.0.0.1 >nul\r\n"), std::string::npos);
  EXPECT_EQ(text.find("\nping"), std::string::npos) << "no tool is looked up through the current folder";
  const std::string last = "del " + quotedFolder + "install.bat\"\r\n";
  EXPECT_EQ(text.substr(text.size() - last.size()), last) << "the batch file deletes itself last";
}

TEST(Integrity, SignedDescriptionsAndMatchingFilesPassAndNothingElse) {
  TestKeys keys, other(9);
  const std::string program = FakeProgram("v1.8");
  const std::string url = "http://files.test/Nimbul.exe";
  std::string good = SignedDescription("1.8.0.0", url, program, keys);
  EXPECT_EQ(CheckProgramFile(ParseDescription(good), program, keys.publicHex), "");

  std::string tampered = program;
  tampered[tampered.size() - 1] ^= 1;
  struct Case {
    const char* what;
    std::string description, file, key;
  };
  std::string changedVersion = good;
  changedVersion.replace(0, 7, "9.9.9.9");
  const Case refused[] = {
      {"one byte of the file changed", good, tampered, keys.publicHex},
      {"the version line changed", changedVersion, program, keys.publicHex},
      {"signed by another key", SignedDescription("1.8.0.0", url, program, other), program, keys.publicHex},
      {"no signature with a key", "1.8.0.0\r\n" + url + "\r\n", program, keys.publicHex},
      {"not a Windows program", SignedDescription("1.8.0.0", url, "#!/bin/sh", keys), "#!/bin/sh", keys.publicHex},
      {"not a Windows program, no key", "1.8.0.0\r\n" + url + "\r\n", "MZ but nothing else", ""},
      {"hash line without key, file differs", good, tampered, ""},
  };
  for (const Case& c : refused)
    EXPECT_NE(CheckProgramFile(ParseDescription(c.description), c.file, c.key), "") << c.what;
  EXPECT_EQ(CheckProgramFile(ParseDescription("1.8.0.0\r\n" + url + "\r\n"), program, ""), "")
      << "without a key a well-formed program is enough";
}

}  // namespace
}  // namespace nimbul::update

namespace nimbul::tools {
namespace {

// The built program's version as its resource script states it.
std::optional<update::Version> ResourceScriptVersion() {
  std::ifstream in(std::string(NIMBUL_SOURCE_DIR) + "/res/nimbul.rc");
  std::string line;
  update::Version v{};
  while (std::getline(in, line))
    if (std::sscanf(line.c_str(), "FILEVERSION %u,%u,%u,%u", &v[0], &v[1], &v[2], &v[3]) == 4) return v;
  return std::nullopt;
}

TEST(PublishTool, DescribesAProgramByItsVersionResourceSoThatTheUpdateCheckAcceptsIt) {
  const nimbul::testing::TestKeys keys;
  // The code before the resource holds the fixed information's signature
  // too, as the program's own version reader does.
  const std::string decoy = {'\xBD', '\x04', '\xEF', '\xFE', 9, 0, 9, 0, 9, 0, 9, 0, 9, 0, 9, 0};
  const char* win32Dir = std::getenv("NIMBUL_WIN32_DIR");
  const std::string built = std::string(win32Dir ? win32Dir : NIMBUL_SOURCE_DIR "/build/win32") + "/Nimbul.exe";
  std::string nimbul;
  {
    std::ifstream in(built, std::ios::binary);
    nimbul.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  struct Case {
    const char* what;
    std::string program;
    std::optional<update::Version> version;
  };
  const Case cases[] = {
      {"the signature constant in the code first", nimbul::testing::ProgramWithVersion(1, 8, 0, 3, "code" + decoy),
       update::Version{1, 8, 0, 3}},
      {"the built Nimbul.exe", nimbul, ResourceScriptVersion()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The last case: a native build alone has no Nimbul.exe.
    if (c.program.empty()) GTEST_SKIP() << built << " is not built";
    ASSERT_TRUE(c.version);
    std::string text = DescriptionFor(c.program, "http://files.test/Nimbul.exe", keys.secretHex);
    update::VersionDescription d = update::ParseDescription(text);
    EXPECT_EQ(d.version, c.version);
    EXPECT_EQ(d.url, "http://files.test/Nimbul.exe");
    EXPECT_EQ(update::CheckProgramFile(d, c.program, keys.publicHex), "");
  }
}

TEST(PublishTool, RefusesProgramsWithoutAUsableVersionAndAnyUrlButHttpHostPath) {
  const nimbul::testing::TestKeys keys;
  const std::string program = nimbul::testing::ProgramWithVersion(1, 8, 0, 3);
  struct Refused {
    const char* what;
    std::string program, url;
  };
  const Refused refused[] = {
      {"no version resource", nimbul::testing::FakeProgram(std::string("\xBD\x04\xEF\xFE", 4) + "12345678"),
       "http://x/y"},
      {"a part above 9999", nimbul::testing::ProgramWithVersion(1, 10000, 0, 0), "http://x/y"},
      {"https", program, "https://x/y"},
      {"no scheme", program, "x/y"},
      {"no host", program, "http:///y"},
      {"no path", program, "http://x/"},
      {"a line break", program, "http://x/y\r\n9.9.9.9"},
      {"a tab", program, "http://x/y\tz"},
      {"a control character", program, std::string("http://x/y\x01z")},
      {"DEL", program, "http://x/y\x7F"},
      {"a blank", program, "http://x/y z"},
  };
  for (const Refused& r : refused) EXPECT_EQ(DescriptionFor(r.program, r.url, keys.secretHex), "") << r.what;
  // Cut anywhere, the program never makes the reader read past its end.
  for (std::size_t size = 0; size < program.size(); size += 7) ImageFileVersion(program.substr(0, size));
}

TEST(PublishTool, AKeyFileIsNewAndTheOwnersAloneAndNeverReplaced) {
  const std::string path = ::testing::TempDir() + "nimbul-publish-test.key";
  std::remove(path.c_str());
  EXPECT_EQ(CreateSecretKeyFile(path, "first\n"), "");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_NE(CreateSecretKeyFile(path, "second\n").find("never overwritten"), std::string::npos);
  std::ifstream in(path);
  std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "first\n");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace nimbul::tools
