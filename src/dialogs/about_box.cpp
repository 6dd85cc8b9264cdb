#include "dialogs/about_box.h"

#include "dialogs/contact.h"
#include "settings/settings.h"
#include "settings/settings_layout.h"

namespace nimbul::dialogs {

namespace {
constexpr unsigned kTypingInterval = 100;

std::vector<std::string> ThanksLines() {
  return {
      "I'd like to thank everyone, who helped making ", "this Program what it is now.  ",
      "We're still looking for betatesters. Mailto: ",  FeedbackAddress(),
      "Visit our webpage to get more freeware: ",       "http://" + HomePageHost() + "         ",
  };
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}
}  // namespace

TForm2::TForm2(ui::Application& app) : ui::Form(app, "Form2"), Timer1(app, kTypingInterval, false) {
  SetCaption("Nimbulon");
  SetBorder(ui::BorderStyle::Dialog);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(364, 281);

  Panel1.SetBounds(8, 8, 351, 230);
  Image1.SetBounds(2, 2, 346, 225);
  for (ui::Label* l : {&Label1, &Label4, &Label5}) {
    l->SetFontColor(ui::kClWhite);
    l->SetTransparent(true);
  }
  Label1.SetBounds(8, 212, 53, 13);
  Label4.SetBounds(104, 212, 3, 13);
  Label5.SetBounds(24, 40, 288, 26);
  Label5.SetAlignment(ui::TextAlign::Center);
  Label5.SetWordWrap(true);
  Label5.SetCaption("If you're experiencing any Problems with this program, please mail to " + FeedbackAddress() +
                    "! Thanks for your help.");
  thanksLines_ = ThanksLines();
  Memo1.SetBounds(104, 208, 233, 17);
  Memo1.SetVisible(false);
  Memo1.SetText(Joined(thanksLines_));
  Label2.SetBounds(8, 248, 116, 13);
  Label2.SetCaption("Coded by " + AuthorName());
  Label3.SetBounds(8, 264, 123, 13);
  BitBtn1.SetBounds(264, 248, 89, 25);
  BitBtn1.SetCaption("&Finished");
  BitBtn1.SetGlyph(ui::Glyph::Finished);
  BitBtn1.SetDefault(true);
  BitBtn1.SetTabOrder(0);

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnHide = [this] { FormHide(); };
  OnClose = [this] { FormClose(); };
  BitBtn1.OnClick = [this] { Button1Click(); };
  BitBtn1.OnKeyPress = [this](char key) { BitBtn1KeyPress(key); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TForm2::FormCreate() {
  ui::Application& app = FormApp();
  platform::Platform& sys = app.Sys();
  Label1.SetCaption("Version " + ui::GetFileVersionText(app));
  // The date of the program file stands for the date it was built.
  auto written = sys.files.LastWriteTime(app.ExeName());
  Label3.SetCaption(CompilationDateText(written.value_or(platform::LocalTime{}), sys.locale.DateSeparator(),
                                        sys.locale.TimeSeparator()));
  Thanks = ThanksTyping{};
}

// The picture is decoded when the box is first shown, so it costs the start nothing.
void TForm2::FormShow() {
  if (!pictureLoaded_) {
    pictureLoaded_ = true;
    Image1.SetPicture(FormApp().Sys().pictures.LoadJpegResource(kAboutPicture));
  }
  Timer1.SetEnabled(true);
  if (BitBtn1.CanFocus()) BitBtn1.SetFocus();
}

void TForm2::FormHide() { Timer1.SetEnabled(false); }

void TForm2::FormClose() {
  if (host_) host_->HostForm().SetEnabled(true);
}

void TForm2::Button1Click() { Close(); }

void TForm2::BitBtn1KeyPress(char key) {
  // Esc closes the box and still counts as a typed character.
  if (key == '\x1b') Close();
  switch (AddTypedKey(TypedKeys, key)) {
    case KeyCode::ToggleSystemHotkeys: ToggleSystemHotkeyFunction(FormApp()); break;
    case KeyCode::ShowCredits:
      if (credits_) credits_->ShowAndStart();
      break;
    case KeyCode::None: break;
  }
}

void TForm2::Timer1Timer() {
  std::string label = Label4.Caption();
  TypeThanksTick(Thanks, thanksLines_, label);
  if (label != Label4.Caption()) Label4.SetCaption(label);
}

void ToggleSystemHotkeyFunction(ui::Application& app) {
  settings::SettingsAccessor s(app.Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  const std::string name = settings::StrgAltEntf.name;
  // A missing value counts as off, so the first toggle turns it on.
  if (!s.HasValue(name)) s.SetFlag(name, false);
  s.SetFlag(name, !s.GetFlag(name));
  // What the user is told is what the settings hold now.
  const bool enabled = s.GetFlag(name);
  s.CloseKey();
  app.ShowMessage(ToggleMessageText(enabled));
}

void OpenAboutBox(TForm2& about, ui::Form& mainWindow) {
  about.Show();
  mainWindow.SetEnabled(false);
}

}  // namespace nimbul::dialogs
