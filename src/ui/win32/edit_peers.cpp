#include "ui/win32/edit_peers.h"

#include "ui/win32/key_values.h"

namespace nimbul::ui::win32 {

namespace {

DWORD EditStyle(const Edit& edit) {
  DWORD style = WS_TABSTOP;
  if (edit.GetKind() == Kind::Memo)
    style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN;
  else
    style |= ES_AUTOHSCROLL;
  if (edit.ReadOnly()) style |= ES_READONLY;
  return style;
}

std::string ReadText(HWND hwnd) {
  int length = ::GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return text;
}

}  // namespace

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

EditPeer::EditPeer(PeerContext& context, Edit& edit) : ControlPeer(context, edit), edit_(edit) {
  if (!Create("EDIT", EditStyle(edit), edit.Border() ? WS_EX_CLIENTEDGE : 0u, "")) return;
  if (edit.MaxLength() > 0) ::SendMessageA(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(edit.MaxLength()), 0);
  ApplyText();
}

LRESULT EditPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == EN_CHANGE && !settingText_) edit_.UserEdited(ReadText(hwnd()));
  return 0;
}

void EditPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Text) ApplyText();
}

void EditPeer::ApplyText() {
  // The program's own text is no user input.
  settingText_ = true;
  const std::string& text = edit_.Text();
  ::SetWindowTextA(hwnd(), edit_.GetKind() == Kind::Memo ? WithCrLf(text).c_str() : text.c_str());
  settingText_ = false;
}

HotKeyPeer::HotKeyPeer(PeerContext& context, HotKeyField& field) : ControlPeer(context, field), field_(field) {
  if (!Create(HOTKEY_CLASSA, WS_TABSTOP, WS_EX_CLIENTEDGE, "")) return;
  // A bare key and a key with Shift alone count as invalid, and nothing is
  // added to an invalid combination: a bare F9 stays F9.
  ::SendMessageA(hwnd(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(0, 0));
  ApplyValue();
}

LRESULT HotKeyPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KILLFOCUS: return OnKillFocus(wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT HotKeyPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == EN_CHANGE) ReadValue();
  return 0;
}

// Also read when the field is left, whether or not the control reported the change.
LRESULT HotKeyPeer::OnKillFocus(WPARAM wParam, LPARAM lParam) {
  ReadValue();
  return Default(WM_KILLFOCUS, wParam, lParam);
}

void HotKeyPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Text) ApplyValue();
}

void HotKeyPeer::ApplyValue() { ::SendMessageA(hwnd(), HKM_SETHOTKEY, HotKeyControlFromShortCut(field_.HotKey()), 0); }

void HotKeyPeer::ReadValue() {
  auto value = static_cast<WORD>(::SendMessageA(hwnd(), HKM_GETHOTKEY, 0, 0));
  field_.UserSet(ShortCutFromHotKeyControl(value));
}

}  // namespace nimbul::ui::win32
