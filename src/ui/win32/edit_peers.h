// Text fields (single-line edits and memos) and the hotkey-capture field.
#pragma once
#include "ui/controls.h"
#include "ui/win32/control_peer.h"

namespace nimbul::ui::win32 {

class EditPeer : public ControlPeer {
 public:
  EditPeer(PeerContext& context, Edit& edit);
  LRESULT OnReflectedCommand(UINT code, UINT id) override;

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  void ApplyText();
  Edit& edit_;
  bool settingText_ = false;
};

class HotKeyPeer : public ControlPeer {
 public:
  HotKeyPeer(PeerContext& context, HotKeyField& field);
  LRESULT OnReflectedCommand(UINT code, UINT id) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
  void ApplyValue();
  void ReadValue();
  HotKeyField& field_;
};

// A memo's text with every line break as CR LF, the form the edit control shows.
std::string WithCrLf(const std::string& text);

}  // namespace nimbul::ui::win32
