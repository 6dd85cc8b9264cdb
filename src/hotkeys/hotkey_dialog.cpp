#include "hotkeys/hotkey_dialog.h"

#include "settings/settings_layout.h"
#include "platform/types.h"

namespace nimbul::hotkeys {

namespace {
constexpr const char* kConflictText =
    "It is not allowed to use the same Hotkeys for different operations! It is also not allowed "
    "to use the Hotkeys F1,F2 and F5 because they are already implemented in this Program!";
constexpr const char* kConflictCaption = "Ooops";
}  // namespace

TfrmHotkey::TfrmHotkey(ui::Application& app) : ui::Form(app, "frmHotkey") {
  SetCaption("Hotkeys");
  SetBorder(ui::BorderStyle::ToolWindow);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(333, 171);

  Label5.SetCaption("To cusomize hotkeys, set focus on field and type in new hotkey");
  Label5.SetWordWrap(true);
  Label5.SetBounds(8, 8, 299, 13);
  Label1.SetCaption(kHotkeyAssignments[2].dialogLabel);
  Label1.SetBounds(16, 40, 134, 13);
  AFSM.SetBounds(16, 56, 137, 19);
  AFSM.SetTabOrder(2);
  Label3.SetCaption(kHotkeyAssignments[0].dialogLabel);
  Label3.SetBounds(184, 40, 111, 13);
  HKAkt.SetBounds(184, 56, 137, 19);
  HKAkt.SetTabOrder(3);
  Label2.SetCaption(kHotkeyAssignments[1].dialogLabel);
  Label2.SetBounds(16, 88, 97, 13);
  KHAFV.SetBounds(16, 104, 137, 19);
  KHAFV.SetTabOrder(4);
  Label4.SetCaption(kHotkeyAssignments[3].dialogLabel);
  Label4.SetBounds(184, 88, 121, 13);
  KHTASK.SetBounds(184, 104, 137, 19);
  KHTASK.SetTabOrder(5);
  Button1.SetCaption("&Ok");
  Button1.SetBounds(8, 136, 75, 25);
  Button1.SetTabOrder(0);
  Button2.SetCaption("Cancel");
  Button2.SetBounds(248, 136, 75, 25);
  Button2.SetTabOrder(1);

  auto fields = Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->SetHotKey(kHotkeyAssignments[i].defaultValue);

  OnShow = [this] { FormShow(); };
  OnClose = [this] { FormClose(); };
  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
}

void TfrmHotkey::FormShow() {
  platform::Platform& sys = FormApp().Sys();
  settings::SettingsAccessor settings(sys.registry);
  settings.OpenKey(settings::kSettingsKey, true);
  auto fields = Fields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    fields[i]->SetHotKey(ParseShortCut(settings::EnsureText(settings, kHotkeyAssignments[i].value), sys.wm));
  settings.CloseKey();
}

void TfrmHotkey::FormClose() {
  if (host_) host_->HostForm().SetEnabled(true);
  if (hotkeys_) hotkeys_->RefreshHKeys();
}

void TfrmHotkey::Button1Click() {
  if (HotkeysConflict()) {
    FormApp().ShowMessageBox(kConflictText, kConflictCaption, platform::kMbIconStop | platform::kMbOk);
    return;
  }
  // A combination another program holds would be saved but do nothing.
  platform::Platform& sys = FormApp().Sys();
  const auto refused = RefusedHotkeys(sys.hotkeys, {HKAkt.HotKey(), KHAFV.HotKey(), AFSM.HotKey(), KHTASK.HotKey()});
  if (!refused.empty()) {
    FormApp().ShowMessageBox(HotkeysInUseText(refused, sys.wm), kConflictCaption,
                             platform::kMbIconStop | platform::kMbOk);
    return;
  }
  SaveChanges();
  Close();
}

void TfrmHotkey::Button2Click() { Close(); }

void TfrmHotkey::SaveChanges() {
  platform::Platform& sys = FormApp().Sys();
  settings::SettingsAccessor settings(sys.registry);
  settings.OpenKey(settings::kSettingsKey, true);
  settings.SetTextValue(settings::AFSM.name, FormatShortCut(AFSM.HotKey(), sys.wm));
  settings.SetTextValue(settings::KHAFV.name, FormatShortCut(KHAFV.HotKey(), sys.wm));
  settings.SetTextValue(settings::HKAkt.name, FormatShortCut(HKAkt.HotKey(), sys.wm));
  settings.SetTextValue(settings::KHTASK.name, FormatShortCut(KHTASK.HotKey(), sys.wm));
  settings.CloseKey();
}

bool TfrmHotkey::HotkeysConflict() {
  return hotkeys::HotkeysConflict({HKAkt.HotKey(), KHAFV.HotKey(), AFSM.HotKey(), KHTASK.HotKey()}, FormApp().Sys().wm);
}

void OpenHotkeyDialog(TfrmHotkey& dialog, HotkeySlots& slots, ui::Form& mainWindow) {
  dialog.Show();
  for (HotkeySlot& slot : slots) slot.component.UnregisterShortCut();
  mainWindow.SetEnabled(false);
}

}  // namespace nimbul::hotkeys
