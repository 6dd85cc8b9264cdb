// The hotkey dialog: four capture fields in which the user assigns the main
// window's global hotkeys.
#pragma once
#include <array>

#include "hotkeys/hotkey_assignment.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/program_host.h"

namespace nimbul::hotkeys {

// What the dialog needs of the window that owns the hotkeys.
class HotkeyHost {
 public:
  virtual ~HotkeyHost() = default;
  // Registers the combinations the settings hold now.
  virtual void RefreshHKeys() = 0;
};

class TfrmHotkey : public ui::Form {
 public:
  explicit TfrmHotkey(ui::Application& app);

  // `host` is disabled while the dialog is open; `hotkeys` registers the
  // hotkeys again when it closes.
  void SetHost(ui::DialogHost* host, HotkeyHost* hotkeys) {
    host_ = host;
    hotkeys_ = hotkeys;
  }

  ui::Label Label5{this, "Label5"};
  ui::Label Label1{this, "Label1"};
  ui::HotKeyField AFSM{this, "AFSM"};
  ui::Label Label3{this, "Label3"};
  ui::HotKeyField HKAkt{this, "HKAkt"};
  ui::Label Label2{this, "Label2"};
  ui::HotKeyField KHAFV{this, "KHAFV"};
  ui::Label Label4{this, "Label4"};
  ui::HotKeyField KHTASK{this, "KHTASK"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};

  void FormShow();
  void FormClose();
  void Button1Click();
  void Button2Click();
  void SaveChanges();
  bool HotkeysConflict();

 private:
  // The fields in the order of kHotkeyAssignments.
  std::array<ui::HotKeyField*, 4> Fields() { return {&HKAkt, &KHAFV, &AFSM, &KHTASK}; }
  ui::DialogHost* host_ = nullptr;
  HotkeyHost* hotkeys_ = nullptr;
};

// The main window's "Choose Hotkey": shows the dialog, withdraws the four
// hotkeys so that the combinations typed reach the fields, and disables the
// main window while the dialog is open.
void OpenHotkeyDialog(TfrmHotkey& dialog, HotkeySlots& slots, ui::Form& mainWindow);

}  // namespace nimbul::hotkeys
