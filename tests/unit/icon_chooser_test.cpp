#include <gtest/gtest.h>

#include <functional>

#include "platform/fake/fake_desktop.h"
#include "settings/settings.h"
#include "shell/ico_file.h"
#include "shell/icon_chooser.h"
#include "shell/icon_extractor.h"
#include "ui/fake/fake_backend.h"

namespace nimbul::shell {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Nimbulon\\Icons\\";

std::string IconFile(int w) {
  platform::IconPixels p;
  p.width = p.height = w;
  p.argb.assign(static_cast<size_t>(w * w), 0xFF336699u);
  p.transparent.assign(static_cast<size_t>(w * w), false);
  return WriteIcoFile(p);
}

struct IconChooserTest : ::testing::Test {
  platform::fake::FakeDesktop desktop;
  ui::fake::FakeBackend backend{desktop};
  ui::Application app{desktop.platform, backend};
  ui::Form* opener = nullptr;
  TForm5* chooser = nullptr;
  TForm6* extractor = nullptr;

  void SetUp() override {
    backend.SetApplication(&app);
    app.Initialize();
    app.SetTitle("Nimbul");
  }
  void Create() {
    opener = &app.CreateForm<ui::Form>("Main");
    chooser = &app.CreateForm<TForm5>();
    extractor = &app.CreateForm<TForm6>();
    chooser->SetOpener(opener);
    chooser->SetExtractor(extractor);
    extractor->SetOpener(chooser);
  }
  std::vector<std::string> Captions(int from) {
    std::vector<std::string> out;
    for (int i = from; i < chooser->ListView1.Count(); ++i) out.push_back(chooser->ListView1.At(i).caption);
    return out;
  }
  std::int32_t Stored(const char* name) {
    settings::SettingsAccessor s(desktop.registry);
    s.OpenKey(settings::kSettingsKey, true);
    return s.GetNumber(name);
  }
  std::string StoredText(const char* name) {
    settings::SettingsAccessor s(desktop.registry);
    s.OpenKey(settings::kSettingsKey, true);
    return s.GetTextValue(name);
  }
};

TEST_F(IconChooserTest, BuiltInIconsComeFirstThenTheFolderSortedWithoutCase) {
  desktop.files.Put(std::string(kFolder) + "b.ico", IconFile(16));
  desktop.files.Put(std::string(kFolder) + "A.ico", IconFile(32));
  desktop.files.Put(std::string(kFolder) + "c.txt", "text");
  desktop.files.Put(std::string(kFolder) + "my.tray.ico", IconFile(16));
  Create();
  ASSERT_EQ(chooser->ListView1.Count(), 31);
  EXPECT_EQ(chooser->ListView1.At(0).caption, "Standard");
  EXPECT_EQ(chooser->ListView1.At(27).caption, "Chip");
  EXPECT_EQ(Captions(28), (std::vector<std::string>{"A", "b", "my.tray"}));
  EXPECT_EQ(chooser->ListView1.At(29).image, 29);
  EXPECT_EQ(chooser->Label2.Caption(), "3 Icons added");
  EXPECT_EQ(chooser->Edit1.Text(), "c:\\program files\\nimbulon\\icons\\");
  // The stored choice, written with its defaults.
  EXPECT_EQ(chooser->ListView1.Selected(), 0);
  EXPECT_EQ(desktop.icons.Origin(chooser->Icon()), "res:TRAY00");
  EXPECT_EQ(chooser->edtooltip.Text(), "Nimbulon by Quendel-Soft!");
}

// In a double-byte code page the second byte of a character may read as a
// capital letter or a backslash: lower case and the title leave it alone.
TEST_F(IconChooserTest, TheFolderAndTitleAreLowerCasedByCharacter) {
  desktop.codePages.UseDoubleByteCodePage();
  desktop.files.exePath = "C:\\Daten\x83\x41\\\x95\x5cNIMBUL.exe";
  EXPECT_EQ(ui::TitleFromExeName(desktop.files.exePath, desktop.codePages), "\x95\x5cnimbul");
  Create();
  EXPECT_EQ(chooser->Edit1.Text(), "c:\\daten\x83\x41\\icons\\");
  chooser->Button3.Click();
  EXPECT_NE(desktop.wm.boxes.back().text.find("\r\nc:\\daten\x83\x41\\icons\\"), std::string::npos);
}

TEST_F(IconChooserTest, WithoutAFolderOnlyTheBuiltInIcons) {
  Create();
  EXPECT_EQ(chooser->ListView1.Count(), 28);
  EXPECT_EQ(chooser->Label2.Caption(), "0 Icons added");
}

// The start pays for the one icon the tray shows; the list loads the rest
// when it is first drawn.
TEST_F(IconChooserTest, OnlyTheChosenBuiltInIconIsLoadedAtTheStart) {
  desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SysTrayIcon", 5);
  Create();
  EXPECT_EQ(desktop.icons.LiveIcons(), 1);
  EXPECT_EQ(desktop.icons.Origin(chooser->Icon()), "res:TRAY05");
  const std::vector<platform::Hicon> all = chooser->ImageList1.Icons();
  EXPECT_EQ(desktop.icons.LiveIcons(), 28);
  EXPECT_EQ(desktop.icons.Origin(all[27]), "res:TRAY27");
  EXPECT_EQ(all[5], chooser->Icon());
}

// Files that are no icon are left out and named in one box; the rest of the
// folder and the stored choice still load. Only the first MiB of a file is
// read: an image past it is not seen.
TEST_F(IconChooserTest, FilesThatAreNoIconAreSkippedAndNamedOnce) {
  desktop.files.Put(std::string(kFolder) + "a.ico", IconFile(16));
  desktop.files.Put(std::string(kFolder) + "b.ico", "not an icon at all");
  desktop.files.Put(std::string(kFolder) + "c.ico", IconFile(16));
  const std::string small = IconFile(16);
  std::string huge = small.substr(0, 22) + std::string(5 << 20, 'x') + small.substr(22);
  huge[18] = 0, huge[19] = 0, huge[20] = 0x50, huge[21] = 0;  // the image starts past 5 MiB
  desktop.files.Put(std::string(kFolder) + "d.ico", huge);
  std::string capped = IconFile(32) + std::string(5 << 20, 'x');
  desktop.files.Put(std::string(kFolder) + "e.ico", capped);
  desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SysTrayIcon", 29);
  Create();
  EXPECT_EQ(Captions(28), (std::vector<std::string>{"a", "c", "e"}));
  EXPECT_EQ(chooser->Label2.Caption(), "3 Icons added");
  ASSERT_EQ(desktop.wm.boxes.size(), 1u);
  EXPECT_EQ(desktop.wm.boxes[0].text, "Icon image is not valid.\r\nb.ico\r\nd.ico");
  EXPECT_EQ(desktop.wm.boxes[0].flags, platform::kMbOk | platform::kMbIconStop);
  EXPECT_EQ(chooser->ListView1.Selected(), 29);
  EXPECT_EQ(chooser->Icon(), chooser->ImageList1.Icon(29)) << "the tray has its picture";
}

// A stored choice that can't be read shows its error, but the main window
// is usable again after the chooser closes.
TEST_F(IconChooserTest, ClosingWithAnUnreadableChoiceEnablesTheMainWindow) {
  Create();
  struct Case {
    const char* what;
    std::function<void()> spoil;
  } cases[] = {
      {"a text where the number belongs",
       [&] { desktop.registry.PutString(platform::kHkeyCurrentUser, settings::kSettingsKey, "SysTrayIcon", "7"); }},
      {"a key that can't be opened",
       [&] { desktop.registry.DenyWrites(platform::kHkeyCurrentUser, settings::kSettingsKey); }},
  };
  for (const Case& c : cases) {
    chooser->Open();
    ASSERT_FALSE(opener->Enabled());
    c.spoil();
    desktop.wm.boxes.clear();
    chooser->Button2.Click();
    EXPECT_TRUE(opener->Enabled()) << c.what;
    EXPECT_FALSE(chooser->Visible()) << c.what;
    EXPECT_EQ(desktop.wm.boxes.size(), 1u) << c.what;
  }
}

TEST_F(IconChooserTest, AnIndexPastTheEndIsResetToStandard) {
  desktop.registry.PutDword(platform::kHkeyCurrentUser, settings::kSettingsKey, "SysTrayIcon", 30);
  Create();
  EXPECT_EQ(Stored("SysTrayIcon"), 0);
  EXPECT_EQ(chooser->ListView1.Selected(), 0);
}

TEST_F(IconChooserTest, OkStoresTheChoiceAndCancelPutsEverythingBack) {
  Create();
  chooser->Open();
  EXPECT_FALSE(opener->Enabled());
  chooser->ListView1.UserSelected(5);
  EXPECT_EQ(desktop.icons.Origin(chooser->Icon()), "res:TRAY05") << "the preview follows the selection";
  chooser->edtooltip.UserEdited("Changed");
  chooser->Button2.Click();
  EXPECT_TRUE(opener->Enabled());
  EXPECT_FALSE(chooser->Visible());
  EXPECT_EQ(chooser->ListView1.Selected(), 0);
  EXPECT_EQ(chooser->edtooltip.Text(), "Nimbulon by Quendel-Soft!");
  EXPECT_EQ(desktop.icons.Origin(chooser->Icon()), "res:TRAY00");

  chooser->Open();
  chooser->ListView1.UserSelected(7);
  chooser->edtooltip.UserEdited("Mine");
  chooser->ListView1.UserDblClick();
  EXPECT_FALSE(chooser->Visible());
  EXPECT_EQ(Stored("SystrayIcon"), 7);
  EXPECT_EQ(StoredText("SystrayToolTip"), "Mine");
  EXPECT_EQ(desktop.icons.Origin(chooser->Icon()), "res:TRAY07");

  // OK with nothing selected keeps the stored icon.
  chooser->Open();
  chooser->ListView1.UserSelected(-1);
  chooser->Button1.Click();
  EXPECT_EQ(Stored("SystrayIcon"), 7);
}

TEST_F(IconChooserTest, InfoMessagesNameTheFolder) {
  Create();
  chooser->Label2.Click();
  extractor->SpeedButton3.Click();
  ASSERT_EQ(desktop.wm.boxes.size(), 2u);
  EXPECT_EQ(desktop.wm.boxes[0].text,
            "To integrate your own Icons (16x16 px) in Nimbulon, you must copy them to\r\nc:\\program "
            "files\\nimbulon\\icons\\");
  EXPECT_EQ(desktop.wm.boxes[0].caption, "Nimbul");
  EXPECT_EQ(desktop.wm.boxes[1].caption, "Info");
  EXPECT_NE(desktop.wm.boxes[1].text.find("c:\\program files\\nimbulon\\icons\\ , restart Nimbulon"),
            std::string::npos);
}

TEST_F(IconChooserTest, TheExtractorSavesAFileTheChooserLoadsAtTheNextStart) {
  Create();
  chooser->Open();
  chooser->SpeedButton1.Click();
  EXPECT_FALSE(chooser->Enabled());
  ASSERT_TRUE(extractor->Visible());
  // Saving with no icon extracted writes nothing, but the folder is made.
  desktop.fileDialogs.answerSave = [](const platform::FileDialogOptions&, std::string* p) {
    *p = std::string(kFolder) + "saved.ico";
    return true;
  };
  extractor->SpeedButton2.Click();
  EXPECT_FALSE(desktop.files.Has(std::string(kFolder) + "saved.ico"));
  EXPECT_TRUE(desktop.files.IsDirectory(kFolder));
  const auto& save = desktop.fileDialogs.saved.back();
  EXPECT_EQ(save.filter, "Symbols (*.ico)|*.ico|All types of  Files (*.*)|*.*");
  EXPECT_EQ(save.initialDir, kFolder);
  EXPECT_TRUE(save.overwritePrompt && save.hideReadOnly && save.resizable);

  // A file the shell has no icon for leaves the preview empty.
  desktop.icons.noIconFor.insert("c:\\odd.bin");
  desktop.fileDialogs.answerOpen = [](const platform::FileDialogOptions&, std::string* p) {
    *p = "C:\\odd.bin";
    return true;
  };
  extractor->SpeedButton1.Click();
  EXPECT_TRUE(platform::IsNull(extractor->Image1.Icon()));
  EXPECT_EQ(desktop.fileDialogs.opened.back().filter, "All types of Files (*.*)|*.*");

  desktop.fileDialogs.answerOpen = [](const platform::FileDialogOptions&, std::string* p) {
    *p = "C:\\Windows\\notepad.exe";
    return true;
  };
  extractor->SpeedButton1.Click();
  ASSERT_FALSE(platform::IsNull(extractor->Image1.Icon()));
  extractor->SpeedButton2.Click();
  std::string saved;
  ASSERT_TRUE(desktop.files.ReadFile(std::string(kFolder) + "saved.ico", &saved));
  IcoImage image;
  EXPECT_TRUE(ReadIcoFile(saved, &image));
  extractor->Close();
  EXPECT_TRUE(chooser->Enabled());

  // The next start offers it.
  platform::fake::FakeDesktop next;
  next.files.Put(std::string(kFolder) + "saved.ico", saved);
  ui::fake::FakeBackend nextBackend{next};
  ui::Application nextApp{next.platform, nextBackend};
  nextBackend.SetApplication(&nextApp);
  nextApp.Initialize();
  auto& nextChooser = nextApp.CreateForm<TForm5>();
  ASSERT_EQ(nextChooser.ListView1.Count(), 29);
  EXPECT_EQ(nextChooser.ListView1.At(28).caption, "saved");
}

}  // namespace
}  // namespace nimbul::shell
