#include "update/update_dialog.h"

#include "base/error.h"
#include "platform/types.h"
#include "settings/build_settings.h"
#include "update/install_batch.h"
#include "update/integrity.h"

namespace nimbul::update {

namespace {

constexpr const char* kInstructions =
    "If you're connected to the net you can use this to update Nimbulon! Please close all open applications, "
    "then press on check now to proceed.";
constexpr const char* kNoFile =
    "Error! File doesn't exist! Please connect to the internet, restart Nimbulon and try to download the newest "
    "version again";
constexpr const char* kNoData =
    "Error! File didn't conain any data! Please connect to the internet, restart Nimbulon and try to download "
    "the newest version again";
constexpr const char* kNotAVersion = "The update server's answer is no version information.";
constexpr const char* kNoProgramUrl = "The version information names no program file.";
constexpr const char* kNotNewer = "The offered version is not newer than this one.";
constexpr const char* kUnsafeFolder =
    "The name of Nimbulon's folder can't be written into the batch file that installs the update.";
constexpr const char* kBatchNotWritten = "The batch file that installs the update could not be written.";
constexpr const char* kBatchNotStarted = "The batch file that installs the update could not be started.";
constexpr const char* kNoUpdateKey =
    "This copy of Nimbulon was built without an update key, so it cannot tell an update of its makers from "
    "any other program and installs none. New versions are on the home page.";
constexpr const char* kOpenHomePage = "\r\n\r\nOpen the home page now?";
constexpr const char* kFolderNotWritable =
    "Nimbulon's folder %s can't be written: install the new version with the setup from the home page.";
constexpr const char* kNothingInstalled = " Nothing was installed.";
constexpr char kEscape = 27;

Version Widen(const std::array<std::uint16_t, 4>& v) { return {v[0], v[1], v[2], v[3]}; }

}  // namespace

TfrmUpdate::TfrmUpdate(ui::Application& app)
    : ui::Form(app, "frmUpdate"),
      HTTPGet1(app.Sys(), [&app] { app.ProcessMessages(); }),
      Timer1(app, 500, false),
      UpdatePublicKey(settings::kUpdatePublicKeyHex),
      UpdateServer(settings::kUpdateHost) {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(346, 132);

  Label1.SetCaption(kInstructions);
  Label1.SetWordWrap(true);
  Label1.SetBounds(16, 16, 313, 49);
  Label2.SetCaption("Progress");
  Label2.SetAlignment(ui::TextAlign::Center);
  Label2.SetBounds(112, 72, 169, 13);
  Label2.SetVisible(false);
  Gauge1.SetBounds(112, 91, 169, 14);
  Gauge1.SetShowPercent(true);
  Gauge1.SetColors(ui::kClNavy, ui::kClBtnFace);
  Gauge1.SetVisible(false);
  Image1.SetBounds(288, 72, 32, 32);
  Image1.SetImages(&ImageList1);
  Image1.SetVisible(false);
  Button1.SetCaption("Check now");
  Button1.SetBounds(16, 72, 83, 33);
  Button1.SetDefault(true);
  Button1.SetTabOrder(0);
  StatusBar1.SetAlign(ui::Align::Bottom);
  StatusBar1.SetHeight(19);
  StatusBar1.SetSimpleText("Status");
  ImageList1.SetResourceName("UPDATEANIM");

  HTTPGet1.OnProgress = [this](THTTPGet&, std::int32_t total, std::int32_t readed) {
    FormApp().Guard([&] { HTTPGet1Progress(total, readed); });
  };
  HTTPGet1.OnDoneFile = [this](THTTPGet&, const std::string&, std::int32_t) {
    FormApp().Guard([&] { HTTPGet1DoneFile(); });
  };
  HTTPGet1.OnError = [this](THTTPGet&) { FormApp().Guard([&] { HTTPGet1Error(); }); };
  OnCreate = [this] { FormCreate(); };
  OnClose = [this] { FormClose(); };
  Button1.OnClick = [this] { Button1Click(); };
  // Esc closes the window, as its close box does (and cancels a download).
  OnKeyPress = [this](char key) {
    if (key == kEscape) Close();
  };
  Timer1.OnTimer = [this] { FormApp().Guard([&] { Timer1Timer(); }); };
}

std::string TfrmUpdate::Folder() { return FormApp().ExeFolder(); }

void TfrmUpdate::FormCreate() {
  UpdateStage = 1;
  FrameCounter = 0;
}

void TfrmUpdate::Button1Click() {
  switch (UpdateStage) {
    case 1: Check(); break;
    case 2: GetUpdate(); break;
    default: Close(); break;
  }
}

void TfrmUpdate::Check() {
  // Both downloads land in the program's folder, and the batch file works
  // there: where it can't be written (a per-machine install run by a
  // standard user) no download could ever be installed.
  platform::Files& files = FormApp().Sys().files;
  if (!files.WriteFile(DescriptionFile(), "")) {
    Refuse(FormatText(kFolderNotWritable, Folder()));
    return;
  }
  StatusBar1.SetSimpleText("Trying to get newest versioninformation");
  HTTPGet1.URL = "http://" + UpdateServer + kVersionDescriptionPath;
  HTTPGet1.FileName = DescriptionFile();
  HTTPGet1.MaxSize = kMaxDescriptionSize;
  Label2.SetVisible(true);
  Gauge1.SetVisible(true);
  HTTPGet1.Download();
}

void TfrmUpdate::HTTPGet1Progress(std::int32_t TotalSize, std::int32_t Readed) {
  StatusBar1.SetSimpleText("Downloading File");
  Gauge1.SetRange(0, TotalSize);
  Gauge1.SetPosition(Readed);
  Label2.SetCaption(ProgressText(Readed, TotalSize));
}

void TfrmUpdate::HTTPGet1Error() {
  // The stage stays: the same button tries again.
  Gauge1.SetVisible(false);
  Label2.SetVisible(false);
  Timer1.SetEnabled(false);
  Image1.SetVisible(false);
  StatusBar1.SetSimpleText("Download failed");
}

void TfrmUpdate::HTTPGet1DoneFile() {
  if (UpdateStage == 1)
    Evaluate();
  else if (UpdateStage == 2)
    Install();
}

std::optional<VersionDescription> TfrmUpdate::ReadDescription() {
  platform::Files& files = FormApp().Sys().files;
  std::string text;
  if (!files.FileExists(DescriptionFile()) || !files.ReadFile(DescriptionFile(), &text)) {
    FormApp().ShowMessage(kNoFile);
    return std::nullopt;
  }
  VersionDescription d = ParseDescription(text);
  if (d.lines.empty()) {
    FormApp().ShowMessage(kNoData);
    return std::nullopt;
  }
  return d;
}

std::optional<Version> TfrmUpdate::RunningVersion() {
  auto v = FormApp().Sys().version.FileVersion(FormApp().ExeName());
  if (!v) return std::nullopt;
  return Widen(*v);
}

void TfrmUpdate::Evaluate() {
  Gauge1.SetVisible(false);
  Label2.SetVisible(false);
  StatusBar1.SetSimpleText("Finished downloading");
  std::optional<VersionDescription> d = ReadDescription();
  if (!d) return;
  // An answer that is no version (an error page, say) offers nothing.
  std::optional<Version> current = RunningVersion();
  if (!d->version || !current) {
    Refuse(kNotAVersion);
    return;
  }
  // A copy without a key still shows what is offered; it refuses only to
  // install it (Get update).
  std::string unverified = UpdatePublicKey.empty() ? std::string() : CheckDescription(*d, UpdatePublicKey);
  if (!unverified.empty()) {
    Refuse(unverified);
    return;
  }
  if (IsNewer(*current, *d->version)) {
    ShowRecommendation(*d->version, *current);
    StatusBar1.SetSimpleText("Finished");
    UpdateStage = 2;
  } else {
    ShowNoNewer();
    UpdateStage = 3;
  }
}

void TfrmUpdate::ShowRecommendation(const Version& newer, const Version& current) {
  Label1.SetCaption("A new verison of Nimbulon exists. " + RecommendationText(current, newer));
  Button1.SetCaption("Get update");
}

void TfrmUpdate::ShowNoNewer() {
  Label1.SetCaption("There is no newer version availible!");
  Button1.SetCaption("Close");
}

void TfrmUpdate::GetUpdate() {
  if (UpdatePublicKey.empty()) {
    RefuseWithoutKey();
    return;
  }
  Timer1.SetEnabled(true);
  Image1.SetVisible(true);
  Label1.SetCaption("After the update was downloaded, Nimbulon will restart to let the changes take affect");
  std::optional<VersionDescription> d = ReadDescription();
  if (!d) return;
  if (d->url.empty()) {
    Refuse(kNoProgramUrl);
    return;
  }
  HTTPGet1.FileName = ProgramFile();
  HTTPGet1.URL = d->url;
  HTTPGet1.MaxSize = kMaxProgramSize;
  Label2.SetVisible(true);
  Gauge1.SetVisible(true);
  HTTPGet1.Download();
}

void TfrmUpdate::Install() {
  platform::Platform& sys = FormApp().Sys();
  // Nothing is installed that the description does not vouch for, nor
  // anything that is not newer than what runs now.
  std::optional<VersionDescription> d = ReadDescription();
  if (!d) {
    sys.files.DeleteFileA(ProgramFile());
    return;
  }
  std::optional<Version> current = RunningVersion();
  if (!d->version || !current || !IsNewer(*current, *d->version)) {
    sys.files.DeleteFileA(ProgramFile());
    Refuse(d->version && current ? kNotNewer : kNotAVersion);
    return;
  }
  std::string bytes;
  sys.files.ReadFile(ProgramFile(), &bytes);
  std::string refused = CheckProgramFile(*d, bytes, UpdatePublicKey);
  if (!refused.empty()) {
    sys.files.DeleteFileA(ProgramFile());
    Refuse(refused);
    return;
  }
  // Batch files are read in the OEM code page; a path that has no exact
  // counterpart there would name another file.
  std::string batch;
  if (!sys.codePages.ToOemCodePage(InstallBatchText(FormApp().ExeName(), Folder()), &batch)) {
    sys.files.DeleteFileA(ProgramFile());
    Refuse(kUnsafeFolder);
    return;
  }
  if (!sys.files.WriteFile(BatchFile(), batch)) {
    sys.files.DeleteFileA(ProgramFile());
    Refuse(kBatchNotWritten);
    return;
  }
  platform::Hwnd owner = host_ ? host_->HostForm().Handle() : platform::Hwnd{};
  // The program ends only when the batch file runs: without it nobody would
  // start a program again.
  if (!sys.shell.ShellExecuteA(owner, BatchFile(), "", "", platform::kSwHide)) {
    sys.files.DeleteFileA(BatchFile());
    sys.files.DeleteFileA(ProgramFile());
    Refuse(kBatchNotStarted);
    return;
  }
  // A plain quit: the main window's close handling does not run, so windows
  // the program hid stay hidden until the new one shows them.
  FormApp().Terminate();
  Gauge1.SetVisible(false);
  Label2.SetVisible(false);
}

void TfrmUpdate::RefuseWithoutKey() {
  Refuse(kNoUpdateKey, false);
  int answer = FormApp().ShowMessageBox(std::string(kNoUpdateKey) + kOpenHomePage, FormApp().Title(),
                                        platform::kMbYesNo | platform::kMbIconInformation);
  if (answer == platform::kIdYes && update_) update_->OpenHomePage();
}

void TfrmUpdate::Refuse(const std::string& why, bool tell) {
  Timer1.SetEnabled(false);
  Image1.SetVisible(false);
  Gauge1.SetVisible(false);
  Label2.SetVisible(false);
  Label1.SetCaption(why + kNothingInstalled);
  StatusBar1.SetSimpleText("Update refused");
  Button1.SetCaption("Close");
  UpdateStage = 3;
  if (tell)
    FormApp().ShowMessageBox(why + kNothingInstalled, FormApp().Title(), platform::kMbOk | platform::kMbIconWarning);
}

void TfrmUpdate::FormClose() {
  if (host_) host_->HostForm().SetEnabled(true);
  HTTPGet1.Cancel();
  UpdateStage = 1;
  Button1.SetCaption("Check now");
  Label2.SetCaption("");
  Label2.SetVisible(false);
  Gauge1.SetPosition(0);
  Gauge1.SetVisible(false);
  Label1.SetCaption(kInstructions);
  Timer1.SetEnabled(false);
  Image1.SetVisible(false);
}

void TfrmUpdate::Timer1Timer() {
  Image1.SetIndex(FrameCounter);
  ++FrameCounter;
  if (FrameCounter == kAnimationFrames) FrameCounter = 0;
}

void OpenUpdateDialog(TfrmUpdate& dialog, ui::Form& opener) {
  opener.SetEnabled(false);
  dialog.Show();
}

}  // namespace nimbul::update
