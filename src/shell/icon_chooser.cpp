#include "shell/icon_chooser.h"

#include <algorithm>
#include <utility>
#include <cstdio>

#include "settings/settings.h"
#include "settings/settings_layout.h"
#include "shell/ico_file.h"
#include "base/error.h"

namespace nimbul::shell {

const char* const kBuiltInIconCaptions[kBuiltInIconCount] = {
    "Standard",     "Sound",  "Plug",     "Screen",    "CD (1)",    "CD (2)",      "Palm",
    "World (1)",    "Defrag", "Audio CD", "Video (1)", "Video (2)", "Sound mixer", "DrvSpace",
    "Compress",     "RcMan",  "ScanDisk", "SysMon",    "Printer",   "World (2)",   "Drive",
    "Waste basket", "Folder", "P. group", "Rich text", "Shut down", "Windows",     "Chip"};

namespace {

constexpr const char* kInfoText = "To integrate your own Icons (16x16 px) in Nimbulon, you must copy them to";

}  // namespace

std::string BuiltInIconResource(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "TRAY%02d", i);
  return name;
}

std::vector<std::string> SortIconFiles(std::vector<std::string> names, platform::CodePages& codePages) {
  std::vector<std::pair<std::string, std::string>> keyed;
  for (std::string& name : names) keyed.emplace_back(codePages.ToLower(name), std::move(name));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < keyed.size(); ++i) names[i] = std::move(keyed[i].second);
  return names;
}

std::string IconCaption(const std::string& fileName) {
  auto dot = fileName.find_last_of('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

TForm5::TForm5(ui::Application& app)
    : ui::Form(app, "Form5"),
      Label1(this, "Label1"),
      ListView1(this, "ListView1"),
      Label2(this, "Label2"),
      Label3(this, "Label3"),
      Edit1(this, "Edit1"),
      SpeedButton1(this, "SpeedButton1"),
      Button3(this, "Button3"),
      Label4(this, "Label4"),
      edtooltip(this, "edtooltip"),
      Button1(this, "Button1"),
      Button2(this, "Button2") {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(299, 307);
  Label1.SetBounds(8, 6, 283, 40);
  Label1.SetWordWrap(true);
  Label1.SetCaption(
      "Please choose an Icon. This Icon will apear in the Systemtray. (Preview in upper left Corner of this "
      "Window)");
  ListView1.SetBounds(8, 46, 283, 140);
  ListView1.SetImages(&ImageList1);
  ListView1.SetTabOrder(0);
  Label2.SetBounds(8, 189, 283, 14);
  Label2.SetAlignment(ui::TextAlign::Right);
  Label2.SetCaption("0 Icons added");
  Label2.SetHandCursor(true);
  Label3.SetBounds(8, 206, 120, 14);
  Label3.SetCaption("Icon Directory");
  Edit1.SetBounds(8, 222, 255, 18);
  Edit1.SetReadOnly(true);
  Edit1.SetBorder(false);
  Edit1.SetTabOrder(1);
  SpeedButton1.SetBounds(267, 219, 24, 23);
  SpeedButton1.SetCaption("...");
  SpeedButton1.SetHint("Icon Extracter");
  SpeedButton1.SetShowHint(true);
  SpeedButton1.SetTabOrder(2);
  Label4.SetBounds(8, 251, 44, 14);
  Label4.SetCaption("Tooltip");
  edtooltip.SetBounds(56, 248, 235, 20);
  edtooltip.SetText("Nimbulon by Quendel-Soft!");
  edtooltip.SetTabOrder(3);
  Button3.SetBounds(8, 277, 75, 23);
  Button3.SetCaption("&Info");
  Button3.SetHint("how to add your own icons to Nimbulon");
  Button3.SetShowHint(true);
  Button3.SetTabOrder(6);
  Button1.SetBounds(136, 277, 75, 23);
  Button1.SetCaption("&Ok");
  Button1.SetDefault(true);
  Button1.SetTabOrder(4);
  Button2.SetBounds(216, 277, 75, 23);
  Button2.SetCaption("&Cancel");
  // Esc anywhere in the window closes it as Cancel does.
  Button2.SetCancel(true);
  Button2.SetTabOrder(5);

  // The built-in icons come with the window; each is loaded when first
  // shown or chosen, so the start does not wait for them.
  auto& icons = app.Sys().icons;
  for (int i = 0; i < kBuiltInIconCount; ++i) {
    ImageList1.AddLater([&icons, i] { return icons.FromResource(BuiltInIconResource(i)); });
    ListView1.Add(kBuiltInIconCaptions[i], i);
  }

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnClose = [this] { FormClose(); };
  ListView1.OnChange = [this] { ListView1Change(); };
  ListView1.OnDblClick = [this] { ListView1DblClick(); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  Button3.OnClick = [this] { Button3Click(); };
  Label2.OnClick = [this] { Button3Click(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
}

std::string TForm5::IconFolder() { return App().ExeFolder() + "Icons\\"; }

void TForm5::FormCreate() {
  Edit1.SetText(App().Sys().codePages.ToLower(IconFolder()));
  LoadFolder();
  Res();
  // Told after the choice is read back, so the tray has its picture even
  // while the box waits for the user.
  ReportUnreadable();
}

void TForm5::LoadFolder() {
  auto& files = App().Sys().files;
  const std::string folder = IconFolder();
  if (!files.IsDirectory(folder)) return;
  std::vector<std::string> names = SortIconFiles(files.ListFiles(folder + "*.ico"), App().Sys().codePages);
  if (names.empty()) return;
  int added = 0;
  for (const std::string& name : names) {
    std::string bytes;
    IcoImage image;
    platform::IconOwner icon;
    if (files.ReadFileStart(folder + name, kMaxIcoFileBytes, &bytes) && ReadIcoFile(bytes, &image))
      icon = App().Sys().icons.FromIconImage(image.bytes, 16, 16);
    // A file that is no icon is left out; the others still make the list.
    if (!icon) {
      unreadable_.push_back(name);
      continue;
    }
    int index = ImageList1.Add(std::move(icon));
    ListView1.Add(IconCaption(name), index);
    ++added;
  }
  Label2.SetCaption(std::to_string(added) + " Icons added");
}

// One box for the whole scan, naming each file that was left out.
void TForm5::ReportUnreadable() {
  if (unreadable_.empty()) return;
  std::string text = "Icon image is not valid.";
  for (std::size_t i = 0; i < unreadable_.size(); ++i) {
    if (i == kNamedUnreadable) {
      text += "\r\n...";
      break;
    }
    text += "\r\n" + unreadable_[i];
  }
  unreadable_.clear();
  App().ShowMessageBox(text, App().Title(), platform::kMbOk | platform::kMbIconStop);
}

void TForm5::Res() {
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  const std::string index = settings::SysTrayIcon.name;
  if (!s.HasValue(index)) s.SetNumber(index, 0);
  if (s.GetNumber(index) > ImageList1.Count() - 1 || s.GetNumber(index) < 0) s.SetNumber(index, 0);
  const int chosen = s.GetNumber(index);
  SetIcon(ImageList1.Icon(chosen));
  ListView1.SetSelected(chosen);
  const std::string tip = settings::SystrayToolTip.name;
  if (!s.HasValue(tip)) s.SetTextValue(tip, settings::SystrayToolTip.defaultText);
  edtooltip.SetText(s.GetTextValue(tip));
}

void TForm5::ListView1Change() {
  const int i = ListView1.Selected();
  if (i < 0 || i >= ImageList1.Count()) return;
  SetIcon(ImageList1.Icon(ListView1.At(i).image));
}

void TForm5::ListView1DblClick() {
  if (ListView1.Selected() >= 0) Button1Click();
}

void TForm5::Button1Click() {
  settings::SettingsAccessor s(App().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  // With no item selected the stored icon stays as it is: never an index that is not there.
  if (ListView1.Selected() >= 0) s.SetNumber("SystrayIcon", ListView1.Selected());
  s.SetTextValue("SystrayToolTip", edtooltip.Text());
  s.CloseKey();
  Close();
}

void TForm5::Button2Click() { Close(); }

void TForm5::FormShow() { Res(); }

void TForm5::FormClose() {
  // The opener comes back first: a stored choice that can't be read must
  // not leave the main window disabled for the rest of the run.
  if (opener_) opener_->SetEnabled(true);
  Res();
}

void TForm5::Open() {
  if (opener_) opener_->SetEnabled(false);
  Show();
  if (ListView1.CanFocus()) ListView1.SetFocus();
}

void TForm5::Button3Click() {
  App().ShowMessage(std::string(kInfoText) + "\r\n" + App().Sys().codePages.ToLower(App().ExeFolder()) + "icons\\");
}

void TForm5::SpeedButton1Click() {
  if (!extractor_) return;
  SetEnabled(false);
  extractor_->Show();
}

}  // namespace nimbul::shell
