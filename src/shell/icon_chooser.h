// The tray icon chooser: the built-in icons and those of the icon folder,
// a preview in the window's own icon, and the tooltip.
#pragma once
#include <string>
#include <vector>

#include "platform/code_pages.h"
#include "platform/icons.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/list_view.h"

namespace nimbul::shell {

// The icons that ship with the program, in list order.
inline constexpr int kBuiltInIconCount = 28;
extern const char* const kBuiltInIconCaptions[kBuiltInIconCount];
// The resource name of built-in icon i ("TRAY00" ...).
std::string BuiltInIconResource(int i);

// The icon files of the folder in list order: sorted without regard to case.
std::vector<std::string> SortIconFiles(std::vector<std::string> names, platform::CodePages& codePages);
// The caption of an icon file: its name up to the last dot.
std::string IconCaption(const std::string& fileName);

class TForm5 : public ui::Form {
 public:
  explicit TForm5(ui::Application& app);

  // Opens the icon extractor (set by the program entry).
  void SetExtractor(ui::Form* extractor) { extractor_ = extractor; }
  // The window that is disabled while the chooser is open.
  void SetOpener(ui::Form* opener) { opener_ = opener; }

  ui::ImageList ImageList1{16, 16};
  ui::Label Label1;
  ui::ListView ListView1;
  ui::Label Label2, Label3;
  ui::Edit Edit1;
  ui::Button SpeedButton1, Button3;
  ui::Label Label4;
  ui::Edit edtooltip;
  ui::Button Button1, Button2;

  void FormCreate();
  void FormShow();
  void FormClose();
  // Brings the window back to the stored choice (writing its defaults first).
  void Res();
  void ListView1Change();
  void ListView1DblClick();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void SpeedButton1Click();
  // Shows the chooser with the opener disabled.
  void Open();

  // The icon folder: the program's folder and "Icons\".
  std::string IconFolder();

 private:
  void LoadFolder();
  void ReportUnreadable();
  // Files of the icon folder that are no icon, told once after the scan.
  std::vector<std::string> unreadable_;
  static constexpr std::size_t kNamedUnreadable = 10;
  ui::Form* extractor_ = nullptr;
  ui::Form* opener_ = nullptr;
};

}  // namespace nimbul::shell
