#include "ui/win32/bar_peers.h"

#include "ui/form.h"
#include "ui/win32/win32_backend.h"

namespace nimbul::ui::win32 {

StatusBarPeer::StatusBarPeer(Win32Backend& backend, StatusBar& bar) : ControlPeer(backend, bar), bar_(bar) {
  // The model places the bar; the control must not move itself to the parent's bottom.
  DWORD style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  Form* form = bar.OwnerForm();
  if (form && form->Border() == BorderStyle::Sizeable) style |= SBARS_SIZEGRIP;
  if (!Create(STATUSCLASSNAMEA, style, 0, "")) return;
  // One part to the right edge: its text is part 0, which SB_GETTEXT reads from
  // any process (the simple mode's text is not).
  int right = -1;
  ::SendMessageA(hwnd(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&right));
  ApplyText();
}

void StatusBarPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Text) ApplyText();
}

void StatusBarPeer::ApplyText() {
  ::SendMessageA(hwnd(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(bar_.SimpleText().c_str()));
}

ProgressBarPeer::ProgressBarPeer(Win32Backend& backend, ProgressBar& bar) : ControlPeer(backend, bar), bar_(bar) {
  if (Create(PROGRESS_CLASSA, 0, 0, "")) ApplyPosition();
}

LRESULT ProgressBarPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && limiter_.Fired(hwnd(), wParam)) {
    ApplyPosition();
    return 0;
  }
  return ControlPeer::HandleMessage(msg, wParam, lParam);
}

void ProgressBarPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Position && limiter_.Due(hwnd())) ApplyPosition();
}

void ProgressBarPeer::ApplyPosition() {
  ::SendMessageA(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(bar_.Min()), static_cast<LPARAM>(bar_.Max()));
  ::SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(bar_.Position()), 0);
}

}  // namespace nimbul::ui::win32
