// Push buttons and check boxes.
#pragma once
#include "ui/controls.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

class ButtonPeer : public ControlPeer {
 public:
  ButtonPeer(PeerContext& context, Button& button);
  LRESULT OnReflectedCommand(UINT code, UINT id) override;

 protected:
  // The default and the cancel button carry the identifiers the dialog manager
  // sends for Enter and Esc.
  int ControlId() override;

 private:
  void ApplyGlyph();
  Button& button_;
  // The picture, kept while the button shows it.
  platform::win32::IconHandle icon_;
  ImageListHandle images_;
};

class CheckBoxPeer : public ControlPeer {
 public:
  CheckBoxPeer(PeerContext& context, CheckBox& box);
  LRESULT OnReflectedCommand(UINT code, UINT id) override;
  HBRUSH OnReflectedColor(HDC dc) override;

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  void ApplyChecked();
  CheckBox& box_;
};

}  // namespace nimbul::ui::win32
