#include "ui/win32/bar_peers.h"

#include "ui/form.h"
#include "ui/win32/fonts.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

StatusBarPeer::StatusBarPeer(PeerContext& context, StatusBar& bar) : ControlPeer(context, bar), bar_(bar) {
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

ProgressBarPeer::ProgressBarPeer(PeerContext& context, ProgressBar& bar) : ControlPeer(context, bar), bar_(bar) {
  if (Create(PROGRESS_CLASSA, 0, 0, "")) ApplyPosition();
}

LRESULT ProgressBarPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && limiter_.Fired(hwnd(), wParam)) {
    ApplyPosition();
    return 0;
  }
  LRESULT result = ControlPeer::HandleMessage(msg, wParam, lParam);
  if (msg == WM_PAINT && bar_.ShowPercent()) PaintPercent();
  return result;
}

// The common control has no text of its own: the percentage goes over what
// it has just painted.
void ProgressBarPeer::PaintPercent() {
  HDC dc = ::GetDC(hwnd());
  if (!dc) return;
  RECT r;
  ::GetClientRect(hwnd(), &r);
  std::string text = std::to_string(shown_) + "%";
  HGDIOBJ old = ::SelectObject(dc, Context().GetFonts().Normal());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd(), dc);
}

void ProgressBarPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Position && limiter_.Due(hwnd())) ApplyPosition();
}

void ProgressBarPeer::ApplyPosition() {
  ::SendMessageA(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(bar_.Min()), static_cast<LPARAM>(bar_.Max()));
  ::SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(bar_.Position()), 0);
  // The text may change where the bar does not grow by a pixel.
  if (bar_.ShowPercent() && bar_.Percent() != shown_) ::InvalidateRect(hwnd(), nullptr, FALSE);
  shown_ = bar_.Percent();
}

}  // namespace nimbul::ui::win32
