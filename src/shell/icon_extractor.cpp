#include "shell/icon_extractor.h"

#include "shell/ico_file.h"
#include "base/error.h"

namespace nimbul::shell {

TForm6::TForm6(ui::Application& app)
    : ui::Form(app, "Form6"),
      Panel1(this, "Panel1"),
      Image1(&Panel1, "Image1"),
      SpeedButton1(this, "SpeedButton1"),
      SpeedButton2(this, "SpeedButton2"),
      SpeedButton3(this, "SpeedButton3") {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(135, 40);
  Panel1.SetBounds(8, 8, 24, 24);
  Panel1.SetSingleBorder(true);
  Image1.SetBounds(3, 3, 16, 16);
  Image1.SetHint("Preview");
  Image1.SetShowHint(true);
  struct ButtonLook {
    ui::Button& button;
    int left;
    const char* hint;
    ui::Glyph glyph;
  };
  // Flat picture buttons. The caption, never shown, is the hint: it names the
  // button for screen readers and gives it the Alt key of its first letter.
  for (const ButtonLook& b :
       {ButtonLook{SpeedButton1, 40, "Choose File for Extraction", ui::Glyph::OpenFile},
        ButtonLook{SpeedButton2, 71, "Save Icon", ui::Glyph::SaveIcon},
        ButtonLook{SpeedButton3, 102, "Information (How does this work)", ui::Glyph::Information}}) {
    b.button.SetBounds(b.left, 8, 27, 24);
    b.button.SetCaption(std::string("&") + b.hint);
    b.button.SetGlyph(b.glyph, ui::GlyphPlace::InsteadOfCaption);
    b.button.SetFlat(true);
    b.button.SetHint(b.hint);
    b.button.SetShowHint(true);
  }
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  SpeedButton2.OnClick = [this] { SpeedButton2Click(); };
  SpeedButton3.OnClick = [this] { SpeedButton3Click(); };
  OnClose = [this] { FormClose(); };
}

void TForm6::SpeedButton1Click() {
  platform::FileDialogOptions open;
  open.filter = "All types of Files (*.*)|*.*";
  std::string path;
  if (!App().Sys().fileDialogs.GetOpenFileNameA(Handle(), open, &path)) return;
  // An icon the shell could not give leaves the preview empty.
  preview_ = App().Sys().icons.FileSmallIcon(path);
  Image1.SetIcon(preview_.get());
}

void TForm6::SpeedButton2Click() {
  auto& files = App().Sys().files;
  const std::string folder = App().ExeFolder() + "Icons\\";
  if (!files.IsDirectory(folder)) files.CreateDirectoryA(folder);
  platform::FileDialogOptions save;
  save.defaultExt = "ico";
  save.filter = "Symbols (*.ico)|*.ico|All types of  Files (*.*)|*.*";
  save.initialDir = folder;
  save.overwritePrompt = true;
  save.hideReadOnly = true;
  save.resizable = true;
  std::string path;
  if (!App().Sys().fileDialogs.GetSaveFileNameA(Handle(), save, &path)) return;
  if (!preview_) return;
  platform::IconPixels pixels;
  std::string data;
  if (App().Sys().icons.Pixels(preview_.get(), &pixels)) data = WriteIcoFile(pixels);
  if (data.empty()) throw Error("Icon image is not valid");
  if (!files.WriteFile(path, data)) throw Error(FormatText("Cannot create file \"%s\"", path));
}

void TForm6::SpeedButton3Click() {
  App().ShowMessageBox(
      "This little Utility allows you, to extract Icons from any kind of File. This can be very helpful for "
      "example if you want to add some new Icons to Nimbulon. To do that, all you have to do is to save your "
      "extracted Icon to " +
          App().Sys().codePages.ToLower(App().ExeFolder()) +
          "icons\\ , restart Nimbulon and your Icon should be there!",
      "Info", platform::kMbOk | platform::kMbIconInformation);
}

void TForm6::FormClose() {
  if (opener_) opener_->SetEnabled(true);
}

}  // namespace nimbul::shell
