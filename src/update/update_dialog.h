// The update window: checks the update server for a newer version, offers
// it, downloads it and hands the replacement of the program file to a batch
// file that runs once the program has ended.
#pragma once
#include <optional>
#include <string>

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/program_host.h"
#include "ui/timer.h"
#include "update/http_get.h"
#include "update/install_batch.h"
#include "update/version_description.h"

namespace nimbul::update {

// What the dialog needs of the main window besides the window it disables.
class UpdateHost {
 public:
  virtual ~UpdateHost() = default;
  // Where a copy that installs no update sends the user for new versions.
  virtual void OpenHomePage() = 0;
};

// The server path of the version description; the host is a build setting.
inline constexpr const char* kVersionDescriptionPath =
    "/quendel-soft/software/freeware/nimbul/update/en_nimbulinfo.txt";
// Bodies larger than these end the transfer as failed.
inline constexpr std::uint32_t kMaxDescriptionSize = 64u * 1024;
inline constexpr std::uint32_t kMaxProgramSize = 64u * 1024 * 1024;
inline constexpr int kAnimationFrames = 8;

class TfrmUpdate : public ui::Form {
 public:
  explicit TfrmUpdate(ui::Application& app);

  // `host` is disabled while the dialog is open; `update` opens the home page.
  void SetHost(ui::DialogHost* host, UpdateHost* update) {
    host_ = host;
    update_ = update;
  }

  ui::Label Label1{this, "Label1"};
  ui::Label Label2{this, "Label2"};
  ui::ProgressBar Gauge1{this, "Gauge1"};
  ui::ListImage Image1{this, "Image1"};
  ui::Button Button1{this, "Button1"};
  ui::StatusBar StatusBar1{this, "StatusBar1"};
  THTTPGet HTTPGet1;
  ui::ImageList ImageList1{32, 32};
  ui::Timer Timer1;

  // 1 ready to check, 2 a newer version is offered, 3 nothing (more) to do.
  int UpdateStage = 1;
  int FrameCounter = 0;
  // Hex of the key the version description must be signed with; empty: none.
  std::string UpdatePublicKey;
  std::string UpdateServer;  // host name of the update server

  void FormCreate();
  void FormClose();
  void Button1Click();
  void HTTPGet1Progress(std::int32_t TotalSize, std::int32_t Readed);
  void HTTPGet1DoneFile();
  void HTTPGet1Error();
  void ShowRecommendation(const Version& newer, const Version& current);
  void ShowNoNewer();
  void Timer1Timer();

  // The program's folder with its trailing backslash, and the files in it.
  std::string Folder();
  std::string DescriptionFile() { return Folder() + kDescriptionFile; }
  std::string ProgramFile() { return Folder() + kNewProgramFile; }
  std::string BatchFile() { return Folder() + kInstallBatchFile; }

 private:
  void Check();
  void Evaluate();
  void GetUpdate();
  void Install();
  // Reads the description file as the check left it; no value (and the
  // user told why) when it can't be acted on.
  std::optional<VersionDescription> ReadDescription();
  std::optional<Version> RunningVersion();
  // Ends an attempt that must not go on: the reason shows in the dialog and
  // in a message, nothing is installed and the program keeps running.
  // `tell`: also in a message box.
  void Refuse(const std::string& why, bool tell = true);
  // A copy built without an update key installs nothing; it points to the
  // home page instead.
  void RefuseWithoutKey();

  ui::DialogHost* host_ = nullptr;
  UpdateHost* update_ = nullptr;
};

// "Update?" in the main window's menu: shows the dialog and disables the
// opener until the dialog closes.
void OpenUpdateDialog(TfrmUpdate& dialog, ui::Form& opener);

}  // namespace nimbul::update
