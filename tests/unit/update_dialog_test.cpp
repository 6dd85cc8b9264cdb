// The update window driven as a user does: check, get the update, close,
// against scripted answers of the update server.
#include <gtest/gtest.h>

#include "update/leftovers.h"
#include "update_fixture.h"

namespace nimbul::testing {
namespace {

constexpr const char* kNoData =
    "Error! File didn't conain any data! Please connect to the internet, restart Nimbulon and try to download "
    "the newest version again";

TEST_F(UpdateDialogTest, OpeningDisablesTheMainWindowAndClosingResetsEverything) {
  Open();
  EXPECT_TRUE(dialog->Visible());
  EXPECT_FALSE(mainForm->Enabled());
  ServeDescription("1.7.1.6\r\nhttp://files.test/x.exe\r\n");
  Click();
  EXPECT_EQ(dialog->Label1.Caption(), "There is no newer version availible!");
  EXPECT_EQ(dialog->Button1.Caption(), "Close");
  dialog->Button1.Click();
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(mainForm->Enabled());
  EXPECT_EQ(dialog->UpdateStage, 1);
  EXPECT_EQ(dialog->Button1.Caption(), "Check now");
  EXPECT_EQ(dialog->Label1.Caption().rfind("If you're connected to the net", 0), 0u);
  EXPECT_EQ(dialog->StatusBar1.SimpleText(), "Finished downloading") << "the status keeps its last text";
}

TEST_F(UpdateDialogTest, CheckAsksTheUpdateHostAndRecommendsByTheSizeOfTheJump) {
  struct Case {
    const char* offered;
    const char* expectedLabel;  // empty: no newer version
  };
  const Case cases[] = {
      {"1.7.1.6", ""},
      {"1.7.1.5", ""},
      {"1.7.1.7", "We recommend not to download this update, because this update only a very small versionjump"},
      {"1.7.2.0", "We recommend not to download this update, because this update only offers a small versionjump"},
      {"1.8.0.0", "We recommend to download this update, because this update offers a big versionjump"},
      {"2.0.0.0", "We recommend to download this update, because this update offers a major versionjump"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offered);
    Open();
    ServeDescription(std::string(c.offered) + "\r\n" + kProgramUrl + "\r\n");
    Click();
    if (*c.expectedLabel) {
      EXPECT_EQ(dialog->Label1.Caption(), std::string("A new verison of Nimbulon exists. ") + c.expectedLabel);
      EXPECT_EQ(dialog->Button1.Caption(), "Get update");
      EXPECT_EQ(dialog->StatusBar1.SimpleText(), "Finished");
      EXPECT_EQ(dialog->UpdateStage, 2);
    } else {
      EXPECT_EQ(dialog->Label1.Caption(), "There is no newer version availible!");
      EXPECT_EQ(dialog->UpdateStage, 3);
    }
    EXPECT_FALSE(dialog->Gauge1.Visible());
    dialog->Close();
  }
  auto requests = desk.http.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].host, "updates.test");
  EXPECT_EQ(requests[0].path, "/quendel-soft/software/freeware/nimbul/update/en_nimbulinfo.txt");
  EXPECT_TRUE(desk.files.Has(Folder() + "versnfo~.tmp"));
}

TEST_F(UpdateDialogTest, AFailedOrUnreadableCheckTellsTheUserAndOffersNothing) {
  struct Case {
    const char* situation;
    bool serve;
    std::string body;
    bool lockFolder;
    std::string message;
  };
  const std::string refused = "The update server's answer is no version information. Nothing was installed.";
  const Case cases[] = {
      {"host unreachable", false, "", false, kNoData},
      {"folder not writable", true, "1.8.0.0\r\n", true,
       "Nimbulon's folder C:\\Program Files\\Nimbulon\\ can't be written: install the new version with the setup "
       "from the home page. Nothing was installed."},
      {"an error page", true, "<html>Not Found</html>", false, refused},
      {"only line ends", true, "\r\n\r\n", false, refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    platform::fake::FakeDesktop d;
    ui::fake::FakeBackend b{d};
    ui::Application a{d.platform, b};
    b.SetApplication(&a);
    a.Initialize();
    auto& main = a.CreateForm<ui::Form>(std::string("frmNimbulMain"));
    auto& dlg = a.CreateForm<update::TfrmUpdate>();
    dlg.UpdateServer = kHost;
    if (c.serve) d.http.ServeFile(kHost, update::kVersionDescriptionPath, c.body);
    if (c.lockFolder) d.files.LockFolder(Folder());
    update::OpenUpdateDialog(dlg, main);
    dlg.Button1.Click();
    ASSERT_TRUE(d.dispatcher.PumpUntil([&] { return !dlg.HTTPGet1.Busy(); }));
    ASSERT_EQ(d.wm.boxes.size(), 1u);
    EXPECT_EQ(d.wm.boxes[0].text, c.message);
    EXPECT_NE(dlg.Button1.Caption(), "Get update");
    EXPECT_TRUE(d.shell.calls.empty());
    if (c.lockFolder) {
      EXPECT_TRUE(d.http.Requests().empty()) << "nothing is downloaded";
    }
  }
}

TEST_F(UpdateDialogTest, ProgressShowsKbytesAndTheBar) {
  Open();
  std::string description = "1.8.0.0\r\n" + std::string(kProgramUrl) + "\r\n";
  description.resize(2560, ' ');  // 2.5 Kbytes: the half goes to the even 2
  ServeDescription(description);
  std::vector<std::string> texts;
  dialog->HTTPGet1.OnProgress = [&](update::THTTPGet&, std::int32_t total, std::int32_t readed) {
    dialog->HTTPGet1Progress(total, readed);
    texts.push_back(dialog->Label2.Caption() + " " + std::to_string(dialog->Gauge1.Percent()) + "%");
    EXPECT_EQ(dialog->StatusBar1.SimpleText(), "Downloading File");
    EXPECT_EQ(dialog->Gauge1.Max(), total);
    EXPECT_EQ(dialog->Gauge1.Position(), readed);
  };
  Click();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts, (std::vector<std::string>{"1 Kbytes of 2 Kbytes 40%", "2 Kbytes of 2 Kbytes 80%",
                                             "2 Kbytes of 2 Kbytes 100%"}));
  EXPECT_TRUE(dialog->Gauge1.ShowPercent());
}

TEST_F(UpdateDialogTest, GetUpdateDownloadsInstallsThroughTheBatchFileAndQuits) {
  Open();
  const std::string program = FakeProgram("1.8");
  OfferSigned("1.8.0.0", program);
  Click();
  ASSERT_EQ(dialog->UpdateStage, 2);
  Click();
  EXPECT_EQ(desk.files.Content(Folder() + "newver.axe"), program);
  std::string batch = desk.files.Content(Folder() + "install.bat");
  EXPECT_NE(batch.find("start \"\" \"C:\\Program Files\\Nimbulon\\Nimbul.exe\" /upgedatet\r\n"), std::string::npos);
  ASSERT_EQ(desk.shell.calls.size(), 1u);
  EXPECT_EQ(desk.shell.calls[0].file, Folder() + "install.bat");
  EXPECT_EQ(desk.shell.calls[0].showCmd, platform::kSwHide);
  EXPECT_EQ(desk.shell.calls[0].owner, mainForm->Handle());
  EXPECT_TRUE(backend.terminated) << "the program quits so that the batch file can replace it";
  EXPECT_TRUE(mainForm->Visible()) << "the main window's close handling does not run";
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UpdateDialogTest, AnimationCyclesThroughEightFramesWhileDownloading) {
  Open();
  OfferSigned("1.8.0.0", FakeProgram("1.8"));
  Click();
  Gate gate;
  desk.http.beforeRead = [&] { gate.Wait(); };
  dialog->Button1.Click();
  EXPECT_TRUE(dialog->Image1.Visible());
  std::vector<int> frames;
  for (int i = 0; i < 9; ++i) {
    desk.timers.Advance(500);
    frames.push_back(dialog->Image1.Index());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
  gate.Open();
  dialog->Close();
  desk.dispatcher.PumpUntil([&] { return !dialog->HTTPGet1.Busy(); });
}

TEST_F(UpdateDialogTest, NothingIsInstalledThatFailsAnyCheck) {
  const std::string program = FakeProgram("1.8");
  std::string tampered = program;
  tampered.back() ^= 1;
  struct Case {
    const char* situation;
    std::string served;
    bool shellRefuses;
    std::string reason;
  };
  const Case cases[] = {
      {"one byte changed", tampered, false, "The downloaded file is not the one the version information describes."},
      {"the batch file does not start", program, true, "The batch file that installs the update could not be started."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    desk.wm.boxes.clear();
    desk.shell.refuseExecute = c.shellRefuses;
    Open();
    OfferSigned("1.8.0.0", program);
    ServeProgram(c.served);
    Click();
    ASSERT_EQ(dialog->UpdateStage, 2);
    Click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{c.reason + " Nothing was installed."});
    EXPECT_EQ(dialog->Label1.Caption(), c.reason + " Nothing was installed.");
    EXPECT_FALSE(desk.files.Has(Folder() + "newver.axe")) << "what failed is deleted";
    EXPECT_FALSE(desk.files.Has(Folder() + "install.bat"));
    EXPECT_FALSE(backend.terminated) << "the program keeps running";
    dialog->Close();
  }
}

TEST_F(UpdateDialogTest, ACopyWithoutKeyShowsTheOfferButInstallsNothingAndPointsToTheHomePage) {
  Open();
  ServeDescription("1.8.0.0\r\n" + std::string(kProgramUrl) + "\r\n");
  ServeProgram(FakeProgram("1.8"));
  Click();
  ASSERT_EQ(dialog->UpdateStage, 2) << "the levels show as ever";
  desk.wm.answerBox = [](const platform::fake::MessageBoxRecord&) { return platform::kIdYes; };
  Click();
  const std::string why =
      "This copy of Nimbulon was built without an update key, so it cannot tell an update of its makers from any "
      "other program and installs none. New versions are on the home page.";
  EXPECT_EQ(Boxes(), std::vector<std::string>{why + "\r\n\r\nOpen the home page now?"});
  EXPECT_EQ(dialog->Label1.Caption(), why + " Nothing was installed.");
  EXPECT_EQ(host.homePageOpened, 1);
  EXPECT_EQ(desk.http.Requests().size(), 1u) << "the program file is not even downloaded";
  EXPECT_FALSE(backend.terminated);
}

TEST_F(UpdateDialogTest, ASignedBuildOffersNothingFromAnUnsignedOrAlteredDescription) {
  const TestKeys keys;
  dialog->UpdatePublicKey = keys.publicHex;
  std::string good = SignedDescription("1.8.0.0", kProgramUrl, FakeProgram("x"), keys);
  std::string altered = good;
  altered[2] = '9';  // 1.9.0.0
  for (const std::string& description : {std::string("1.8.0.0\r\n") + kProgramUrl + "\r\n", altered}) {
    desk.wm.boxes.clear();
    Open();
    ServeDescription(description);
    Click();
    EXPECT_NE(dialog->UpdateStage, 2);
    ASSERT_EQ(Boxes().size(), 1u);
    dialog->Close();
  }
  Open();
  ServeDescription(good);
  Click();
  EXPECT_EQ(dialog->UpdateStage, 2);
}

TEST_F(UpdateDialogTest, NeverInstallsAVersionThatIsNotNewer) {
  Open();
  OfferSigned("1.8.0.0", FakeProgram("old"));
  Click();
  // The description on disk changes before the program file arrives.
  desk.files.Put(Folder() + "versnfo~.tmp", "1.7.0.0\r\n" + std::string(kProgramUrl) + "\r\n");
  Click();
  EXPECT_EQ(Boxes(),
            std::vector<std::string>{"The offered version is not newer than this one. Nothing was installed."});
  EXPECT_TRUE(desk.shell.calls.empty());
  EXPECT_FALSE(backend.terminated);
}

TEST_F(UpdateDialogTest, AMissingProgramLineOrAnUnwritableFolderNameStopsTheAttempt) {
  Open();
  OfferSigned("1.8.0.0", FakeProgram("1.8"), "");
  Click();
  Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"The version information names no program file. Nothing was installed."});
  EXPECT_EQ(desk.http.Requests().size(), 1u) << "nothing is downloaded";
  dialog->Close();

  desk.wm.boxes.clear();
  desk.files.exePath = "C:\\Programme\\N\xE9u\\Nimbul.exe";  // no OEM counterpart in the fake's table
  desk.version.versions[platform::fake::FakeFiles::Lower(desk.files.exePath)] = {1, 7, 1, 6};
  Open();
  OfferSigned("1.8.0.0", FakeProgram("1.8"));
  Click();
  Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"The name of Nimbulon's folder can't be written into the batch file "
                                              "that installs the update. Nothing was installed."});
  EXPECT_FALSE(desk.files.Has("C:\\Programme\\N\xE9u\\install.bat"));
  EXPECT_FALSE(desk.files.Has("C:\\Programme\\N\xE9u\\newver.axe"));
  EXPECT_FALSE(backend.terminated);
}

TEST_F(UpdateDialogTest, ClosingWhileTheWorkerWaitsForAReportCancelsWithoutAReportAfterTheClose) {
  Open();
  OfferSigned("1.8.0.0", FakeProgram(std::string(10000, 'p')));
  Click();
  dialog->Button1.Click();
  // The worker has read a chunk and waits until its report is handled.
  ASSERT_TRUE(desk.dispatcher.WaitForWork(5000));
  dialog->Close();
  std::string afterClose = dialog->Label2.Caption();
  ASSERT_TRUE(desk.dispatcher.PumpUntil([&] { return !dialog->HTTPGet1.Busy(); }));
  EXPECT_EQ(dialog->Label2.Caption(), afterClose);
  EXPECT_FALSE(dialog->Label2.Visible());
  EXPECT_EQ(dialog->UpdateStage, 1);
  EXPECT_TRUE(desk.shell.calls.empty());
  EXPECT_FALSE(backend.terminated);
  // Opened again, the dialog starts over; Esc closes it.
  Open();
  EXPECT_EQ(dialog->Button1.Caption(), "Check now");
  dialog->KeyPress(27);
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(mainForm->Enabled());
}

TEST_F(UpdateDialogTest, TheStartAfterAFailedUpdateShowsTheBatchFilesNoteAndClearsTheFolder) {
  for (const char* name : {"versnfo~.tmp", "newver.axe", "install.bat", "oldver.axe"}) desk.files.Put(Folder() + name);
  desk.files.Put(Folder() + "updnote~.txt", "The update could not be installed: Nimbulon did not end in time. \r\n");
  update::RemoveUpdateLeftovers(app);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"The update could not be installed: Nimbulon did not end in time."});
  for (const char* name : {"versnfo~.tmp", "newver.axe", "install.bat", "oldver.axe", "updnote~.txt"})
    EXPECT_FALSE(desk.files.Has(Folder() + name)) << name;
  desk.wm.boxes.clear();
  update::RemoveUpdateLeftovers(app);
  EXPECT_TRUE(Boxes().empty()) << "the note is shown once";
}

}  // namespace
}  // namespace nimbul::testing
