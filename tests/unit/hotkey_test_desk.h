// A fake desktop with a stand-in main window that owns the four global
// hotkeys and their menu items, for the hotkey assignment and dialog tests.
#pragma once
#include <array>
#include <map>
#include <string>

#include "hotkeys/hotkey_assignment.h"
#include "hotkeys/hotkey_dialog.h"
#include "platform/fake/fake_desktop.h"
#include "ui/application.h"
#include "ui/fake/fake_backend.h"

namespace settings = nimbul::settings;
namespace hotkey_test {

constexpr const char* kSettingsKey = "Software\\Quendel-Soft\\Nimbul";
constexpr unsigned kF1 = 0x70, kF4 = 0x73, kF5 = 0x74, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78;

class Desk : public nimbul::ui::DialogHost, public nimbul::hotkeys::HotkeyHost {
 public:
  Desk() {
    dialog.SetHost(this, this);
    for (int i = 0; i < 4; ++i) {
      auto& k = *keys[static_cast<std::size_t>(i)];
      k.HotKeyEvent = [this, i](nimbul::hotkeys::TKeyHot&) { ++events[i]; };
    }
  }

  bool Start() {
    backend.SetApplication(&app);
    app.Initialize();
    return true;
  }

  // Names as the main window's own.
  nimbul::platform::fake::FakeDesktop desktop;
  nimbul::ui::fake::FakeBackend backend{desktop};
  nimbul::ui::Application app{desktop.platform, backend};
  bool started = Start();
  nimbul::ui::Form& mainForm = app.CreateForm<nimbul::ui::Form>("frmNimbulMain");
  nimbul::hotkeys::TfrmHotkey& dialog = app.CreateForm<nimbul::hotkeys::TfrmHotkey>();
  nimbul::hotkeys::TKeyHot HKAkt{desktop.hotkeys, kF9}, KHAFV{desktop.hotkeys, kF8}, AFSM{desktop.hotkeys, kF7},
      KHTASK{desktop.hotkeys, kF4};
  nimbul::ui::MenuItem AktivesFensterverstecken1{"AktivesFensterverstecken1", "Hide &active Window"};
  nimbul::ui::MenuItem AlleFensterVerstecken1{"AlleFensterVerstecken1", "H&ide all visible Windows"};
  nimbul::ui::MenuItem AlleFenstersichtbarmachen1{"AlleFenstersichtbarmachen1", "Sh&ow all hidden Windows"};
  nimbul::ui::MenuItem NimbulonzurTaskleiste1{"NimbulonzurTaskleiste1", "&To Systemtray"};
  nimbul::hotkeys::HotkeySlots slots{{
      {nimbul::settings::HKAkt, HKAkt, AktivesFensterverstecken1},
      {nimbul::settings::KHAFV, KHAFV, AlleFensterVerstecken1},
      {nimbul::settings::AFSM, AFSM, AlleFenstersichtbarmachen1},
      {nimbul::settings::KHTASK, KHTASK, NimbulonzurTaskleiste1},
  }};
  std::array<nimbul::hotkeys::TKeyHot*, 4> keys{&HKAkt, &KHAFV, &AFSM, &KHTASK};
  // Events raised, by component in the order above.
  std::array<int, 4> events{};
  int refreshes = 0;

  void RefreshHKeys() override {
    ++refreshes;
    nimbul::hotkeys::RefreshHKeys(desktop.platform, slots);
  }
  nimbul::ui::Form& HostForm() override { return mainForm; }

  std::string Stored(const std::string& name) {
    const auto* v = desktop.registry.Find(nimbul::platform::kHkeyCurrentUser, kSettingsKey, name);
    if (!v) return "<missing>";
    std::string s(v->data.begin(), v->data.end());
    return s.substr(0, s.find('\0'));
  }
  void Store(const std::string& name, const std::string& text) {
    desktop.registry.PutString(nimbul::platform::kHkeyCurrentUser, kSettingsKey, name, text);
  }
  // Presses a combination while another program has the focus.
  bool PressElsewhere(unsigned modifiers, unsigned vk) {
    desktop.wm.SetForeground(desktop.wm.AddWindow("Editor"));
    return desktop.hotkeys.Press(modifiers, vk);
  }
  void Open() { nimbul::hotkeys::OpenHotkeyDialog(dialog, slots, mainForm); }
  int TotalEvents() const { return events[0] + events[1] + events[2] + events[3]; }
};

}  // namespace hotkey_test
