#include "windows/colors_dialog.h"

#include "settings/settings.h"
#include "settings/settings_layout.h"

namespace nimbul::windows {

namespace {
constexpr ui::Color kSystemColorFlag = 0x80000000u;

// The colour dialog takes plain RGB: a system colour is handed over as its current value.
std::uint32_t AsRgb(platform::ColorDialogs& dialogs, ui::Color c) {
  if (c & kSystemColorFlag) return dialogs.GetSysColor(static_cast<int>(c & 0xFFu));
  return c & 0x00FFFFFFu;
}
}  // namespace

TForm8::TForm8(ui::Application& app) : ui::Form(app, "Form8") {
  SetCaption("Colors");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(170, 185);

  PageControl1.SetBounds(0, 0, 170, 145);
  PageControl1.SetTabOrder(0);
  TabSheet1.SetCaption("Grid Color");
  TabSheet2.SetCaption("Gridfont Color");
  struct Page {
    ui::Label& hint;
    const char* hintText;
    ui::Label& color;
    ui::Panel& panel;
    ui::Button& reset;
    const char* resetCaption;
    const char* resetHint;
    ui::Glyph resetGlyph;
  } pages[] = {
      {Label1, "Press on panel to change grid color", Label2, Panel1, BitBtn1, "Use &default color",
       "Use default color", ui::Glyph::DefaultColor},
      {Label3, "Press on panel to change grid font color", Label4, Panel2, BitBtn2, "Use &default Color",
       "Use default Color", ui::Glyph::DefaultTextColor},
  };
  for (Page& p : pages) {
    p.hint.SetBounds(8, 8, 146, 26);
    p.hint.SetWordWrap(true);
    p.hint.SetCaption(p.hintText);
    p.color.SetBounds(8, 48, 30, 13);
    p.color.SetCaption("Color");
    p.panel.SetBounds(8, 64, 105, 41);
    p.panel.SetClickable(true);
    p.panel.SetSingleBorder(true);
    p.reset.SetBounds(120, 72, 33, 25);
    // The picture shows; the caption names the button for screen readers
    // and gives it Alt+D, as Tab passes it by.
    p.reset.SetCaption(p.resetCaption);
    p.reset.SetGlyph(p.resetGlyph, ui::GlyphPlace::InsteadOfCaption);
    p.reset.SetHint(p.resetHint);
    p.reset.SetShowHint(true);
    p.reset.SetTabStop(false);
  }
  Button3.SetBounds(8, 152, 75, 25);
  Button3.SetCaption("&Ok");
  Button3.SetDefault(true);
  Button3.SetTabOrder(1);
  Button1.SetBounds(88, 152, 75, 25);
  Button1.SetCaption("&Cancel");
  Button1.SetTabOrder(2);
  PageControl1.SetActivePageIndex(0);

  // The keyboard lands on the colour of the page the user turned to.
  PageControl1.OnChange = [this] {
    ui::Panel& panel = PageControl1.ActivePageIndex() == 0 ? Panel1 : Panel2;
    if (panel.CanFocus()) panel.SetFocus();
  };
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormCreate(); };
  OnClose = [this] { FormClose(); };
  Panel1.OnClick = [this] { Panel1Click(); };
  Panel2.OnClick = [this] { Panel2Click(); };
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  BitBtn2.OnClick = [this] { BitBtn2Click(); };
  Button3.OnClick = [this] { Button3Click(); };
  Button1.OnClick = [this] { Button1Click(); };
  // Esc on any of its controls reaches the form: no button is the cancel button.
  OnKeyPress = [this](char key) { Button3KeyPress(key); };
}

void TForm8::FormCreate() {
  settings::SettingsAccessor s(FormApp().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  // Both are read before either panel changes, so a bad stored colour leaves both as they were.
  const ui::Color back = settings::EnsureColor(s, settings::Gridcolor);
  const ui::Color text = settings::EnsureColor(s, settings::GridFontcolor);
  Panel1.SetFillColor(back);
  Panel2.SetFillColor(text);
}

bool TForm8::PickInto(ui::Panel& panel) {
  platform::ColorDialogs& dialogs = FormApp().Sys().colorDialogs;
  std::uint32_t rgb = AsRgb(dialogs, panel.FillColor());
  if (!dialogs.ChooseColorA(Handle(), &rgb, &ColorDialog1Custom)) return false;
  panel.SetFillColor(rgb);
  return true;
}

void TForm8::Panel1Click() {
  if (PickInto(Panel1)) SetGridBackground(Panel1.FillColor());
}

void TForm8::Panel2Click() {
  if (PickInto(Panel2)) SetGridTextColor(Panel2.FillColor());
}

void TForm8::BitBtn1Click() {
  Panel1.SetFillColor(ui::kClWindow);
  SetGridBackground(Panel1.FillColor());
}

void TForm8::BitBtn2Click() {
  Panel2.SetFillColor(ui::kClWindowText);
  SetGridTextColor(Panel2.FillColor());
}

void TForm8::SetGridBackground(ui::Color c) {
  for (ui::StringGrid* g : lists_)
    if (g) g->SetColors(c, g->FontColor());
}

void TForm8::SetGridTextColor(ui::Color c) {
  for (ui::StringGrid* g : lists_)
    if (g) g->SetColors(g->BackColor(), c);
}

void TForm8::SaveGridColors() {
  settings::SettingsAccessor s(FormApp().Sys().registry);
  s.OpenKey(settings::kSettingsKey, true);
  settings::WriteColor(s, settings::Gridcolor, Panel1.FillColor());
  settings::WriteColor(s, settings::GridFontcolor, Panel2.FillColor());
}

void TForm8::Button3Click() {
  SaveGridColors();
  SetGridBackground(Panel1.FillColor());
  SetGridTextColor(Panel2.FillColor());
  Close();
}

void TForm8::Button1Click() {
  FormCreate();
  SetGridBackground(Panel1.FillColor());
  SetGridTextColor(Panel2.FillColor());
  Close();
}

// Esc closes with neither saving nor reloading: the preview stays until the next start.
void TForm8::Button3KeyPress(char key) {
  if (key == '\x1b') Close();
}

void TForm8::FormClose() {
  if (host_) host_->HostForm().SetEnabled(true);
}

void OpenColorsDialog(TForm8& dialog, ui::Form& mainWindow) {
  mainWindow.SetEnabled(false);
  dialog.Show();
}

}  // namespace nimbul::windows
