#include "ui/win32/static_peers.h"

#include "platform/win32/handle.h"
#include "platform/win32/win32_pictures.h"
#include "ui/win32/colors.h"
#include "ui/win32/fonts.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {
constexpr char kPanelClass[] = "TPanel";
constexpr char kImageClass[] = "TImage";
constexpr char kListImageClass[] = "TListImage";

DWORD AlignmentStyle(const Label& label) {
  switch (label.Alignment()) {
    case TextAlign::Right: return SS_RIGHT;
    case TextAlign::Center: return SS_CENTER;
    case TextAlign::Left: break;
  }
  return label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
}
}  // namespace

PanelPeer::PanelPeer(PeerContext& context, Panel& panel) : ControlPeer(context, panel), panel_(panel) {
  ClassLook look;
  look.backgroundColor = -1;
  const DWORD style = WS_CLIPCHILDREN | (panel.SingleBorder() ? WS_BORDER : 0u) | (panel.Clickable() ? WS_TABSTOP : 0u);
  CreateOwnWindow(kPanelClass, look, style, WS_EX_CONTROLPARENT);
}

LRESULT PanelPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint();
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    case WM_LBUTTONUP: return OnLButtonUp(wParam, lParam);
    case WM_KEYDOWN: return OnKeyDown(wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocusChange(msg, wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

void PanelPeer::OnChanged(Prop p, int index, int sub) {
  ControlPeer::OnChanged(p, index, sub);
  if (p == Prop::Caption || p == Prop::Color) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT PanelPeer::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (!panel_.Clickable()) return Default(WM_SETCURSOR, wParam, lParam);
  ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
  return TRUE;
}

LRESULT PanelPeer::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
  if (!panel_.Clickable()) return Default(WM_LBUTTONUP, wParam, lParam);
  ::SetFocus(hwnd());
  panel_.Click();
  return 0;
}

LRESULT PanelPeer::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  if (panel_.Clickable() && wParam == VK_SPACE) {
    panel_.Click();
    return 0;
  }
  return Default(WM_KEYDOWN, wParam, lParam);
}

LRESULT PanelPeer::OnFocusChange(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (panel_.Clickable()) ::InvalidateRect(hwnd(), nullptr, TRUE);
  if (msg == WM_SETFOCUS) return ControlPeer::HandleMessage(msg, wParam, lParam);
  return Default(msg, wParam, lParam);
}

// A panel shows its caption in the middle, as the designer's panels do.
LRESULT PanelPeer::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  const std::string& caption = Model().Caption();
  RECT r;
  ::GetClientRect(hwnd(), &r);
  platform::win32::BrushHandle fill(::CreateSolidBrush(ToColorRef(panel_.FillColor())));
  ::FillRect(dc, &r, fill.get());
  if (panel_.BevelLowered()) ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if (panel_.Clickable() && ::GetFocus() == hwnd()) {
    RECT focus = r;
    ::InflateRect(&focus, -2, -2);
    ::DrawFocusRect(dc, &focus);
  }
  // A page's caption is its tab's text, not something drawn on the page.
  if (!caption.empty() && !dynamic_cast<const TabSheet*>(&panel_)) {
    HGDIOBJ old = ::SelectObject(dc, Context().GetFonts().Normal());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, old);
  }
  ::EndPaint(hwnd(), &ps);
  return 0;
}

ImagePeer::ImagePeer(PeerContext& context, Image& image) : ControlPeer(context, image), image_(image) {
  ClassLook look;
  look.backgroundColor = -1;
  // A picture lies beneath the other controls of its parent, as a background does.
  if (CreateOwnWindow(kImageClass, look, 0, 0))
    ::SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT ImagePeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: PaintInto(reinterpret_cast<HDC>(wParam)); return 0;
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

void ImagePeer::OnChanged(Prop p, int index, int sub) {
  if (p == Prop::Images)
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  else
    ControlPeer::OnChanged(p, index, sub);
}

LRESULT ImagePeer::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  PaintInto(dc);
  ::EndPaint(hwnd(), &ps);
  return 0;
}

// Without a picture the area keeps the dialog colour.
void ImagePeer::PaintInto(HDC dc) {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const platform::Picture& picture = image_.GetPicture();
  if (picture.Empty()) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  platform::win32::MemoryDc source(::CreateCompatibleDC(dc));
  HGDIOBJ old = ::SelectObject(source.get(), platform::win32::Win32Pictures::Bitmap(picture.Bitmap()));
  if (image_.Stretch()) {
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, picture.Width(), picture.Height(), SRCCOPY);
  } else {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::BitBlt(dc, 0, 0, picture.Width(), picture.Height(), source.get(), 0, 0, SRCCOPY);
  }
  ::SelectObject(source.get(), old);
}

LabelPeer::LabelPeer(PeerContext& context, Label& label) : ControlPeer(context, label), label_(label) {
  // SS_NOTIFY: without it a static lets clicks and mouse moves fall through to its parent.
  // A link is a Tab stop that Enter and the space bar follow.
  const DWORD tabStop = label.IsLink() ? WS_TABSTOP : 0u;
  MakeFont();
  if (Create("STATIC", SS_NOTIFY | tabStop | AlignmentStyle(label), 0, nullptr)) SetFont(LabelFont());
}

// A label with a height of its own gets its own font: the controls' face at that height.
void LabelPeer::MakeFont() {
  ownFont_.reset();
  if (label_.FontHeight() <= 0) return;
  LOGFONTA lf{};
  if (!::GetObjectA(Context().GetFonts().Normal(), sizeof lf, &lf)) return;
  lf.lfHeight = -label_.FontHeight();
  lf.lfWidth = 0;
  lf.lfUnderline = label_.IsLink() || label_.Underline() ? TRUE : FALSE;
  ownFont_.reset(::CreateFontIndirectA(&lf));
}

HFONT LabelPeer::LabelFont() const {
  if (ownFont_) return ownFont_.get();
  return label_.IsLink() || label_.Underline() ? Context().GetFonts().Link() : Context().GetFonts().Normal();
}

LRESULT LabelPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
    case WM_TIMER:
      if (!captionLimiter_.Fired(hwnd(), wParam)) return ControlPeer::HandleMessage(msg, wParam, lParam);
      ApplyCaption();
      return 0;
    case WM_ERASEBKGND: return label_.Transparent() ? 1 : ControlPeer::HandleMessage(msg, wParam, lParam);
    case WM_PAINT:
      if (label_.Transparent()) return OnPaintTransparent();
      return label_.IsLink() ? OnPaintLink(wParam, lParam) : ControlPeer::HandleMessage(msg, wParam, lParam);
    case WM_SETTEXT:
      return label_.Transparent() ? OnSetTextTransparent(wParam, lParam)
                                  : ControlPeer::HandleMessage(msg, wParam, lParam);
    case WM_GETDLGCODE:
      return label_.IsLink() ? OnLinkDlgCode(wParam, lParam) : ControlPeer::HandleMessage(msg, wParam, lParam);
    case WM_KEYDOWN:
      return label_.IsLink() ? OnLinkKeyDown(wParam, lParam) : ControlPeer::HandleMessage(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (label_.IsLink()) ::InvalidateRect(hwnd(), nullptr, TRUE);
      return ControlPeer::HandleMessage(msg, wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

// The static control paints the text; a focused link gets the focus frame around it.
LRESULT LabelPeer::OnPaintLink(WPARAM wParam, LPARAM lParam) {
  LRESULT result = ControlPeer::HandleMessage(WM_PAINT, wParam, lParam);
  if (::GetFocus() == hwnd()) {
    HDC dc = ::GetDC(hwnd());
    RECT r;
    ::GetClientRect(hwnd(), &r);
    ::DrawFocusRect(dc, &r);
    ::ReleaseDC(hwnd(), dc);
  }
  return result;
}

// Enter reaches the focused link instead of the dialog manager.
LRESULT LabelPeer::OnLinkDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = ControlPeer::HandleMessage(WM_GETDLGCODE, wParam, lParam);
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

LRESULT LabelPeer::OnLinkKeyDown(WPARAM wParam, LPARAM lParam) {
  if (wParam == VK_RETURN || wParam == VK_SPACE) {
    label_.Click();
    return 0;
  }
  return Default(WM_KEYDOWN, wParam, lParam);
}

// A static control paints its new text at once, on its own background; a
// transparent one repaints through WM_PAINT instead.
LRESULT LabelPeer::OnSetTextTransparent(WPARAM wParam, LPARAM lParam) {
  const bool shown = ::IsWindowVisible(hwnd()) != FALSE;
  if (shown) ::SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  LRESULT result = Default(WM_SETTEXT, wParam, lParam);
  if (shown) {
    ::SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
  return result;
}

// Painted off screen first, so a label whose text changes ten times a second
// does not flicker.
LRESULT LabelPeer::OnPaintTransparent() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  RECT client;
  ::GetClientRect(hwnd(), &client);
  platform::win32::MemoryDc buffer(::CreateCompatibleDC(dc));
  platform::win32::BitmapHandle bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
  if (buffer && bitmap) {
    HGDIOBJ old = ::SelectObject(buffer.get(), bitmap.get());
    PaintTransparent(buffer.get(), client);
    ::BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
    ::SelectObject(buffer.get(), old);
  } else {
    PaintTransparent(dc, client);
  }
  ::EndPaint(hwnd(), &ps);
  return 0;
}

void LabelPeer::PaintTransparent(HDC dc, const RECT& client) {
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  RECT mine;
  ::GetWindowRect(hwnd(), &mine);
  if (Control* parent = label_.Parent()) {
    for (Control* sibling : parent->Children()) {
      if (sibling->GetKind() != Kind::Image || !sibling->Visible()) continue;
      auto* image = dynamic_cast<ImagePeer*>(sibling->GetPeer());
      if (!image || !image->hwnd()) continue;
      RECT theirs, overlap;
      ::GetWindowRect(image->hwnd(), &theirs);
      if (!::IntersectRect(&overlap, &mine, &theirs)) continue;
      POINT before;
      ::SetViewportOrgEx(dc, theirs.left - mine.left, theirs.top - mine.top, &before);
      image->PaintInto(dc);
      ::SetViewportOrgEx(dc, before.x, before.y, nullptr);
    }
  }
  HGDIOBJ oldFont = ::SelectObject(dc, LabelFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(label_.FontColor()));
  UINT format = DT_NOPREFIX;
  switch (label_.Alignment()) {
    case TextAlign::Right: format |= DT_RIGHT; break;
    case TextAlign::Center: format |= DT_CENTER; break;
    case TextAlign::Left: break;
  }
  format |= label_.WordWrap() ? DT_WORDBREAK : DT_SINGLELINE;
  RECT text = client;
  ::DrawTextA(dc, label_.Caption().c_str(), -1, &text, format);
  ::SelectObject(dc, oldFont);
}

LRESULT LabelPeer::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  if (!label_.IsLink() && !label_.HandCursor()) return Default(WM_SETCURSOR, wParam, lParam);
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
// A label centred between its edges becomes as high as its text, in the middle
// of the space it was given (a static control writes from its top).
void LabelPeer::Fit(RECT* r) const {
  int textHeight;
  if (label_.WordWrap()) {
    textHeight = WrappedHeight(r->right - r->left);
  } else {
    SIZE text = NaturalSize();
    if (r->right - r->left < text.cx) {
      if (label_.Alignment() == TextAlign::Right)
        r->left = r->right - text.cx;
      else
        r->right = r->left + text.cx;
    }
    textHeight = text.cy;
  }
  const int spare = r->bottom - r->top - textHeight;
  if (spare < 0) {
    r->bottom = r->top + textHeight;
  } else if (label_.Layout() == TextLayout::Center) {
    r->top += spare / 2;
    r->bottom = r->top + textHeight;
  }
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

void LabelPeer::ApplyCaption() {
  ControlPeer::OnChanged(Prop::Caption, -1, -1);
  ApplyBounds();
}

void LabelPeer::OnChanged(Prop p, int index, int sub) {
  switch (p) {
    case Prop::Style:
      MakeFont();
      SetFont(LabelFont());
      ApplyBounds();
      break;
    case Prop::Color: ::InvalidateRect(hwnd(), nullptr, TRUE); break;
    case Prop::Caption:
      if (captionLimiter_.Due(hwnd())) ApplyCaption();
      break;
    default: ControlPeer::OnChanged(p, index, sub); break;
  }
}

ListImagePeer::ListImagePeer(PeerContext& context, ListImage& image) : ControlPeer(context, image), image_(image) {
  ClassLook look;
  CreateOwnWindow(kListImageClass, look, 0, 0);
}

LRESULT ListImagePeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: return OnPaint();
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

void ListImagePeer::OnChanged(Prop p, int index, int sub) {
  ControlPeer::OnChanged(p, index, sub);
  if (p == Prop::Images) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT ListImagePeer::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  HIMAGELIST list = list_.Get(image_.Images());
  if (list && image_.Index() >= 0 && image_.Index() < ::ImageList_GetImageCount(list))
    ::ImageList_Draw(list, image_.Index(), dc, 0, 0, ILD_TRANSPARENT);
  ::EndPaint(hwnd(), &ps);
  return 0;
}

}  // namespace nimbul::ui::win32
