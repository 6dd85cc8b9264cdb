// The About box and the credits window, driven as the user drives them.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>

#include "dialogs/about_box.h"
#include "dialogs/contact.h"
#include "main_window_fixture.h"
#include "platform/jpeg.h"

namespace nimbul::dialogs {
namespace {

std::string ResourceFile(const std::string& name) {
  std::ifstream in(std::string(NIMBUL_SOURCE_DIR) + "/res/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class AboutBox : public testing::MainWindowTest {
 protected:
  TForm7* credits = nullptr;
  TForm2* about = nullptr;

  void SetUp() override {
    desktop.files.writeTimes[platform::fake::FakeFiles::Lower(desktop.files.exePath)] = {2026, 3, 4, 5, 6};
    desktop.locale.dateSeparator = ".";
    desktop.locale.timeSeparator = "h";
    desktop.pictures.resources[kAboutPicture] = ResourceFile("about.jpg");
    desktop.pictures.resources[kCreditsPicture] = ResourceFile("credits.jpg");
    MainWindowTest::SetUp();
    credits = &app.CreateForm<TForm7>();
    about = &app.CreateForm<TForm2>();
    credits->SetHost(main);
    about->SetHost(main, credits);
    app::MainWindowPeers peers;
    peers.aboutBox = about;
    main->SetPeers(peers);
  }
  void Open() { main->ToolButton5Click(); }
  void Type(const std::string& keys) {
    for (char k : keys) about->BitBtn1.KeyPress(k);
  }
  const platform::fake::FakeRegistry::Value* Stored() {
    return desktop.registry.Find(platform::kHkeyCurrentUser, settings::kSettingsKey, "Strg_alt_entf");
  }
  std::vector<std::string> Toggles() {
    std::vector<std::string> out;
    for (auto& b : desktop.wm.boxes) out.push_back(b.text.substr(0, b.text.find("\r\n")));
    return out;
  }
};

TEST_F(AboutBox, ShowsVersionAndFileDateComputedOnceAtStart) {
  EXPECT_EQ(about->Label1.Caption(), "Version 1.7.1.6");
  EXPECT_EQ(about->Label3.Caption(), "Complilation date: 03.04.2026 @ 05h06");
  EXPECT_EQ(about->Label2.Caption(), "Coded by " + AuthorName());
  desktop.files.writeTimes.clear();
  Open();
  about->Close();
  Open();
  EXPECT_EQ(about->Label3.Caption(), "Complilation date: 03.04.2026 @ 05h06");
}

TEST_F(AboutBox, OpensWithTheMainWindowDisabledAndClosingEnablesIt) {
  Open();
  EXPECT_TRUE(about->Visible());
  EXPECT_FALSE(main->Enabled());
  about->BitBtn1.Click();
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(main->Enabled());
  main->berNimbulon1.Click();
  EXPECT_TRUE(about->Visible());
  about->SystemCloseRequest();
  EXPECT_TRUE(main->Enabled());
}

TEST_F(AboutBox, PictureIsDecodedOnFirstShowOnly) {
  EXPECT_EQ(desktop.pictures.loads, 0);
  Open();
  about->Close();
  Open();
  EXPECT_EQ(desktop.pictures.loads, 1);
  EXPECT_EQ(about->Image1.GetPicture().Width(), 346);
  EXPECT_EQ(about->Image1.GetPicture().Height(), 225);
}

TEST_F(AboutBox, PictureThatDoesNotDecodeLeavesAnEmptyArea) {
  desktop.pictures.resources[kAboutPicture] = ResourceFile("about.jpg").substr(0, 600);
  Open();
  EXPECT_TRUE(about->Visible());
  EXPECT_TRUE(about->Image1.GetPicture().Empty());
  EXPECT_TRUE(desktop.wm.boxes.empty());
}

TEST_F(AboutBox, ThanksLineIsTypedOnlyWhileShownAndGoesOnWhereItStopped) {
  desktop.timers.Advance(1000);
  EXPECT_EQ(about->Label4.Caption(), "");
  Open();
  desktop.timers.Advance(400);
  EXPECT_EQ(about->Label4.Caption(), "I'd ");
  about->Close();
  desktop.timers.Advance(1000);
  Open();
  desktop.timers.Advance(300);
  EXPECT_EQ(about->Label4.Caption(), "I'd lik");
}

TEST(ThanksTyping, LineOfNCharactersTakesNTicksThenThreeThenIsWiped) {
  const std::vector<std::string> lines = {"ab", "this Program what it is now.  ", ""};
  ThanksTyping state{1, 0};
  std::string label;
  for (int tick = 0; tick < 30; ++tick) TypeThanksTick(state, lines, label);
  EXPECT_EQ(label, lines[1]);
  TypeThanksTick(state, lines, label);
  TypeThanksTick(state, lines, label);
  EXPECT_EQ(label, lines[1]);
  TypeThanksTick(state, lines, label);
  EXPECT_EQ(label, "");
  EXPECT_EQ(state.ThanksLine, 2);
  // The empty line shows three ticks of empty label, then the first line comes again.
  for (int tick = 0; tick < 3; ++tick) TypeThanksTick(state, lines, label);
  EXPECT_EQ(state.ThanksLine, 0);
  TypeThanksTick(state, lines, label);
  EXPECT_EQ(label, "a");
}

TEST_F(AboutBox, KeyCodesCountAcrossOpeningsAndEscIsATypedCharacter) {
  const struct {
    std::vector<std::string> typedPerOpening;  // the box is closed by mouse between openings
    int toggles;
    bool credits;
  } cases[] = {
      {{"7K52R"}, 1, false},         {{"xx7k52r"}, 1, false}, {{"7K52R7K52R"}, 2, false}, {{"7K5", "2R"}, 1, false},
      {{"7K5\x1b", "2R"}, 0, false}, {{"2quorm"}, 0, true},   {{"2QUO", "RM"}, 0, true},  {{"7K52"}, 0, false},
  };
  for (const auto& c : cases) {
    about->TypedKeys.clear();
    desktop.wm.boxes.clear();
    credits->Hide();
    for (const std::string& keys : c.typedPerOpening) {
      Open();
      Type(keys);
      if (about->Visible()) about->Close();
    }
    EXPECT_EQ(static_cast<int>(desktop.wm.boxes.size()), c.toggles) << c.typedPerOpening[0];
    EXPECT_EQ(credits->Visible(), c.credits) << c.typedPerOpening[0];
    EXPECT_TRUE(main->Enabled());
  }
}

TEST_F(AboutBox, ToggleWritesTrueThenFalseAndSaysSo) {
  ASSERT_EQ(Stored(), nullptr);
  Open();
  Type("7K52R7K52R");
  EXPECT_EQ(Toggles(), (std::vector<std::string>{"The Funktion \"Disable all Hotkeys\" was enabled",
                                                 "The Funktion \"Disable all Hotkeys\" was disabled"}));
  EXPECT_EQ(desktop.wm.boxes.at(0).text.substr(desktop.wm.boxes.at(0).text.find("\r\n")),
            "\r\nPlease restart Nimbulon, in order to let the changes take affect");
  EXPECT_EQ(desktop.wm.boxes.at(0).caption, "Nimbul");
  ASSERT_NE(Stored(), nullptr);
  EXPECT_EQ(Stored()->data.at(0), 0);
}

TEST_F(AboutBox, CreditsCycleNamesAndANormalCloseOnlyHides) {
  Open();
  Type("2QUORM");
  EXPECT_TRUE(credits->Visible());
  EXPECT_EQ(credits->Panel2.Caption(), "we'd like to thank");
  EXPECT_EQ(desktop.pictures.LiveBitmaps(), 2);
  const auto& names = credits->Names();
  for (std::size_t i = 0; i < names.size() + 1; ++i) {
    desktop.timers.Advance(1500);
    EXPECT_EQ(credits->Panel2.Caption(), names[i % names.size()]);
  }
  credits->KeyPress('\x1b');
  EXPECT_FALSE(credits->Visible());
  EXPECT_FALSE(backend.terminated);
  // The cycle is never stopped: it goes on while the window is hidden.
  desktop.timers.Advance(1500);
  EXPECT_EQ(credits->Panel2.Caption(), names[(names.size() + 1) % names.size()]);
}

TEST(JpegDecoding, OwnPictureDecodesAndDamagedOrRandomBytesNeverCrash) {
  const std::string jpeg = ResourceFile("about.jpg");
  auto bytes = [](const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); };
  auto image = platform::DecodeJpeg(bytes(jpeg), jpeg.size());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 346);
  EXPECT_EQ(image->height, 225);
  // The top left corner is the night blue of the picture.
  EXPECT_GT(image->rgb[2], image->rgb[0] + 20);
  std::mt19937 random(6);
  for (int i = 0; i < 300; ++i) {
    std::string damaged = jpeg;
    if (i % 3 == 0) damaged.resize(random() % jpeg.size());
    for (int k = 0; k < 1 + i % 8; ++k) damaged[random() % damaged.size()] = static_cast<char>(random());
    platform::DecodeJpeg(bytes(damaged), damaged.size());
    std::string noise(random() % 512, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    if (i % 2 && noise.size() > 2) noise[0] = '\xff', noise[1] = '\xd8';
    EXPECT_FALSE(platform::DecodeJpeg(bytes(noise), noise.size()));
  }
  EXPECT_FALSE(platform::DecodeJpeg(nullptr, 0));
}

// A header that claims a huge picture is refused before anything is
// allocated for it: a progressive picture would take all its coefficients.
TEST(JpegDecoding, AClaimedHugePictureIsRefusedAtOnce) {
  const std::string jpeg = ResourceFile("about.jpg");
  const std::size_t frame = jpeg.find("\xff\xc0");
  ASSERT_NE(frame, std::string::npos);
  for (const char marker : {'\xc0', '\xc2'}) {
    std::string huge = jpeg;
    huge[frame + 1] = marker;
    // Height and width: 65000 each.
    huge[frame + 5] = huge[frame + 7] = '\xfd';
    huge[frame + 6] = huge[frame + 8] = '\xe8';
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::DecodeJpeg(reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  }
}

}  // namespace
}  // namespace nimbul::dialogs
