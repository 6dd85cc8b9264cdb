#include "dialogs/credits_window.h"

#include "dialogs/contact.h"

namespace nimbul::dialogs {

namespace {
constexpr unsigned kNameInterval = 1500;
}  // namespace

TForm7::TForm7(ui::Application& app) : ui::Form(app, "Form7"), Timer1(app, kNameInterval, false) {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(135, 40);

  Image1.SetAlign(ui::Align::Client);
  Image1.SetBounds(0, 0, 135, 40);
  Image1.SetStretch(true);
  Panel2.SetBounds(8, 8, 121, 25);
  Panel2.SetBevelLowered(true);
  Panel2.SetCaption("we'd like to thank");
  names_ = {AuthorName(), "everyone who tested", "everyone who wrote to us", "you, for using Nimbulon"};
  std::string text;
  for (const std::string& name : names_) text += (text.empty() ? "" : "\n") + name;
  Memo1.SetVisible(false);
  Memo1.SetText(text);

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnClose = [this] { FormClose(); };
  OnKeyPress = [this](char key) { FormKeyPress(key); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TForm7::FormCreate() { CreditsIndex = 0; }

// The background is decoded on first show, so it costs the start nothing.
void TForm7::FormShow() {
  if (pictureLoaded_) return;
  pictureLoaded_ = true;
  Image1.SetPicture(FormApp().Sys().pictures.LoadJpegResource(kCreditsPicture));
}

void TForm7::FormClose() {
  // Without the main window there is nothing to go back to.
  if (!FormApp().ShowMainForm() && host_) host_->HostForm().Close();
}

void TForm7::FormKeyPress(char key) {
  if (key == '\x1b') Close();
}

void TForm7::Timer1Timer() {
  if (names_.empty()) return;
  Panel2.SetCaption(names_[static_cast<std::size_t>(CreditsIndex)]);
  // Round the list for as long as the window lives.
  CreditsIndex += 1;
  if (CreditsIndex == static_cast<int>(names_.size())) CreditsIndex = 0;
}

void TForm7::ShowAndStart() {
  Show();
  Timer1.SetEnabled(true);
}

}  // namespace nimbul::dialogs
