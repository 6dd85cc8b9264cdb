// The pure pieces of the update: versions and their order, the
// recommendation, the progress text, the batch file and the integrity checks.
#include <gtest/gtest.h>

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

TEST(InstallBatch, QuotesEveryPathAndDoublesPercentSigns) {
  std::string text = InstallBatchText("C:\\A & B (x86)\\50% ^off\\Nimbul.exe", "C:\\A & B (x86)\\50% ^off\\");
  const std::string p = "\"C:\\A & B (x86)\\50%% ^off\\Nimbul.exe\"";
  const std::string d = "C:\\A & B (x86)\\50%% ^off\\";
  EXPECT_EQ(text,
            "@echo off\r\n"
            "set tries=0\r\n"
            ":Label1\r\n"
            "del " + p + "\r\n"
            "if not exist " + p + " goto Replace\r\n"
            "set /a tries+=1\r\n"
            "if %tries% geq 30 goto GiveUp\r\n"
            "ping -n 2 127.0.0.1 >nul\r\n"
            "goto Label1\r\n"
            ":Replace\r\n"
            "move \"" + d + "newver.axe\"  " + p + "\r\n"
            "start \"\" " + p + " /upgedatet\r\n"
            "goto Done\r\n"
            ":GiveUp\r\n"
            "start \"\" " + p + "\r\n"
            ":Done\r\n"
            "del \"" + d + "newver.axe\"\r\n"
            "del \"" + d + "install.pif\"\r\n"
            "del \"" + d + "install.bat\"\r\n");
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

TEST(PublishTool, DescribesABuiltProgramSoThatTheUpdateCheckAcceptsIt) {
  const nimbul::testing::TestKeys keys;
  // The fixed file information of version 1.8.0.3 inside the program's bytes.
  std::string record = {'\xBD', '\x04', '\xEF', '\xFE', 0, 0, 1, 0, 8, 0, 1, 0, 3, 0, 0, 0};
  std::string program = nimbul::testing::FakeProgram("rsrc" + record + "tail");
  std::string text = DescriptionFor(program, "http://files.test/Nimbul.exe", keys.secretHex);
  update::VersionDescription d = update::ParseDescription(text);
  EXPECT_EQ(d.version, (update::Version{1, 8, 0, 3}));
  EXPECT_EQ(d.url, "http://files.test/Nimbul.exe");
  EXPECT_EQ(update::CheckProgramFile(d, program, keys.publicHex), "");
  EXPECT_EQ(DescriptionFor("no version here", "http://x/", keys.secretHex), "");
}

}  // namespace
}  // namespace nimbul::tools
