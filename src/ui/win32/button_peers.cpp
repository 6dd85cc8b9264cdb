#include "ui/win32/button_peers.h"

namespace nimbul::ui::win32 {

ButtonPeer::ButtonPeer(PeerContext& context, Button& button) : ControlPeer(context, button), button_(button) {
  Create("BUTTON", (button.TabStop() ? WS_TABSTOP : 0u) | (button.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
         nullptr);
}

int ButtonPeer::ControlId() {
  if (button_.IsDefault()) return IDOK;
  if (button_.IsCancel()) return IDCANCEL;
  return ControlPeer::ControlId();
}

LRESULT ButtonPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == BN_CLICKED) button_.Click();
  return 0;
}

CheckBoxPeer::CheckBoxPeer(PeerContext& context, CheckBox& box) : ControlPeer(context, box), box_(box) {
  if (Create("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, nullptr)) ApplyChecked();
}

// The box has flipped itself already; the model follows and raises its click.
LRESULT CheckBoxPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == BN_CLICKED) box_.UserToggled();
  return 0;
}

HBRUSH CheckBoxPeer::OnReflectedColor(HDC dc) {
  ::SetBkMode(dc, TRANSPARENT);
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

void CheckBoxPeer::OnChanged(Prop p, int index, int sub) {
  if (p == Prop::Checked)
    ApplyChecked();
  else
    ControlPeer::OnChanged(p, index, sub);
}

void CheckBoxPeer::ApplyChecked() {
  ::SendMessageA(hwnd(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace nimbul::ui::win32
