#include "ui/win32/static_peers.h"

#include "ui/win32/colors.h"
#include "ui/win32/win32_backend.h"

namespace nimbul::ui::win32 {

namespace {
constexpr char kPanelClass[] = "TPanel";

DWORD AlignmentStyle(const Label& label) {
  switch (label.Alignment()) {
    case TextAlign::Right: return SS_RIGHT;
    case TextAlign::Center: return SS_CENTER;
    case TextAlign::Left: break;
  }
  return label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
}
}  // namespace

PanelPeer::PanelPeer(Win32Backend& backend, Panel& panel) : ControlPeer(backend, panel) {
  ClassLook look;
  CreateOwnWindow(kPanelClass, look, WS_CLIPCHILDREN | (panel.SingleBorder() ? WS_BORDER : 0u), WS_EX_CONTROLPARENT);
}

LRESULT PanelPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: return OnPaint();
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

void PanelPeer::OnChanged(Prop p, int index, int sub) {
  ControlPeer::OnChanged(p, index, sub);
  if (p == Prop::Caption) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// A panel shows its caption in the middle, as the designer's panels do.
LRESULT PanelPeer::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  const std::string& caption = Model().Caption();
  if (!caption.empty()) {
    RECT r;
    ::GetClientRect(hwnd(), &r);
    HGDIOBJ old = ::SelectObject(dc, Backend().GetFonts().Normal());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, old);
  }
  ::EndPaint(hwnd(), &ps);
  return 0;
}

LabelPeer::LabelPeer(Win32Backend& backend, Label& label) : ControlPeer(backend, label), label_(label) {
  // SS_NOTIFY: without it a static lets clicks and mouse moves fall through to its parent.
  if (Create("STATIC", SS_NOTIFY | AlignmentStyle(label), 0, nullptr)) SetFont(LabelFont());
}

HFONT LabelPeer::LabelFont() const {
  return label_.IsLink() ? Backend().GetFonts().Link() : Backend().GetFonts().Normal();
}

LRESULT LabelPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT LabelPeer::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (!label_.IsLink()) return Default(WM_SETCURSOR, wParam, lParam);
  ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
  return TRUE;
}

LRESULT LabelPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == STN_CLICKED) label_.Click();
  return 0;
}

HBRUSH LabelPeer::OnReflectedColor(HDC dc) {
  ::SetTextColor(dc, ToColorRef(label_.FontColor()));
  ::SetBkMode(dc, TRANSPARENT);
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

// A label without a size takes the size of its text, as an auto-sized label does.
SIZE LabelPeer::NaturalSize() const {
  SIZE size{0, 0};
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, LabelFont());
  const std::string& text = label_.Caption();
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return size;
}

// A label never cuts its text: a single line grows away from its aligned edge,
// wrapped text grows downwards.
void LabelPeer::Fit(RECT* r) const {
  if (label_.WordWrap()) {
    int height = WrappedHeight(r->right - r->left);
    if (r->bottom - r->top < height) r->bottom = r->top + height;
    return;
  }
  SIZE text = NaturalSize();
  if (r->right - r->left < text.cx) {
    if (label_.Alignment() == TextAlign::Right)
      r->left = r->right - text.cx;
    else
      r->right = r->left + text.cx;
  }
  if (r->bottom - r->top < text.cy) r->bottom = r->top + text.cy;
}

int LabelPeer::WrappedHeight(int width) const {
  RECT r{0, 0, width, 0};
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, LabelFont());
  ::DrawTextA(dc, label_.Caption().c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return r.bottom;
}

void LabelPeer::OnChanged(Prop p, int index, int sub) {
  switch (p) {
    case Prop::Style:
      SetFont(LabelFont());
      ApplyBounds();
      break;
    case Prop::Color: ::InvalidateRect(hwnd(), nullptr, TRUE); break;
    case Prop::Caption:
      ControlPeer::OnChanged(p, index, sub);
      ApplyBounds();
      break;
    default: ControlPeer::OnChanged(p, index, sub); break;
  }
}

}  // namespace nimbul::ui::win32
