#include "ui/win32/bar_peers.h"

#include "ui/form.h"
#include "ui/win32/colors.h"
#include "ui/win32/ui_handles.h"
#include "ui/win32/fonts.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

// Black or white, whichever reads better on `c`.
COLORREF Readable(COLORREF c) {
  const int light = GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114;
  return light >= 128 * 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace

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
  if (OwnColors()) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) return OnPaintOwn();
  }
  LRESULT result = ControlPeer::HandleMessage(msg, wParam, lParam);
  if (msg == WM_PAINT && bar_.ShowPercent()) {
    HDC dc = ::GetDC(hwnd());
    RECT r;
    ::GetClientRect(hwnd(), &r);
    // A visual style picks the bar's colour: the text takes the one that reads on the dialog colour.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    PaintPercent(dc, r, face, face);
    ::ReleaseDC(hwnd(), dc);
  }
  return result;
}

bool ProgressBarPeer::OwnColors() const { return bar_.BarColor() != kClNone || bar_.BackColor() != kClNone; }

// A bar in colours of the program's own is drawn here: a visual style would
// draw the common control in the style's colours, whatever it is told.
LRESULT ProgressBarPeer::OnPaintOwn() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  RECT r;
  ::GetClientRect(hwnd(), &r);
  ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  const COLORREF bar = bar_.BarColor() == kClNone ? ::GetSysColor(COLOR_HIGHLIGHT) : ToColorRef(bar_.BarColor());
  const COLORREF back = bar_.BackColor() == kClNone ? ::GetSysColor(COLOR_BTNFACE) : ToColorRef(bar_.BackColor());
  RECT filled = r, rest = r;
  filled.right = rest.left = r.left + FilledWidth(r);
  BrushHandle barBrush(::CreateSolidBrush(bar));
  BrushHandle backBrush(::CreateSolidBrush(back));
  ::FillRect(dc, &filled, barBrush.get());
  ::FillRect(dc, &rest, backBrush.get());
  if (bar_.ShowPercent()) PaintPercent(dc, r, bar, back);
  ::EndPaint(hwnd(), &ps);
  return 0;
}

int ProgressBarPeer::FilledWidth(const RECT& r) const {
  return static_cast<int>(static_cast<long long>(r.right - r.left) * shown_ / 100);
}

// The common control has no text of its own: the percentage goes over the
// bar, in a colour that reads on the filled part and another on the rest.
void ProgressBarPeer::PaintPercent(HDC dc, const RECT& r, COLORREF bar, COLORREF back) {
  const int split = r.left + FilledWidth(r);
  const std::string text = std::to_string(shown_) + "%";
  HGDIOBJ old = ::SelectObject(dc, Context().GetFonts().Normal());
  ::SetBkMode(dc, TRANSPARENT);
  const RECT parts[] = {{r.left, r.top, split, r.bottom}, {split, r.top, r.right, r.bottom}};
  const COLORREF under[] = {bar, back};
  for (int i = 0; i < 2; ++i) {
    if (parts[i].right <= parts[i].left) continue;
    ::SaveDC(dc);
    ::IntersectClipRect(dc, parts[i].left, parts[i].top, parts[i].right, parts[i].bottom);
    ::SetTextColor(dc, Readable(under[i]));
    RECT all = r;
    ::DrawTextA(dc, text.c_str(), -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::RestoreDC(dc, -1);
  }
  ::SelectObject(dc, old);
}

void ProgressBarPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Color) ::InvalidateRect(hwnd(), nullptr, TRUE);
  if (p == Prop::Position && limiter_.Due(hwnd())) ApplyPosition();
}

void ProgressBarPeer::ApplyPosition() {
  ::SendMessageA(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(bar_.Min()), static_cast<LPARAM>(bar_.Max()));
  ::SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(bar_.Position()), 0);
  // The text may change where the bar does not grow by a pixel, and a bar
  // drawn here grows only by being painted again.
  if ((bar_.ShowPercent() || OwnColors()) && bar_.Percent() != shown_) ::InvalidateRect(hwnd(), nullptr, FALSE);
  shown_ = bar_.Percent();
}

}  // namespace nimbul::ui::win32
