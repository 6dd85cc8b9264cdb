#include "ui/win32/control_peer.h"

#include "platform/win32/handle_ids.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/fonts.h"
#include "ui/win32/hints.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

ControlPeer::ControlPeer(PeerContext& context, Control& control) : PeerWindow(context), control_(control) {}

ControlPeer::~ControlPeer() { Context().GetHints().ControlGone(control_); }

platform::Hwnd ControlPeer::Handle() const { return platform::win32::ToId<platform::Hwnd>(hwnd()); }

bool ControlPeer::Create(const char* className, DWORD style, DWORD exStyle, const char* text) {
  RECT r = ModelRect();
  if (!CreateControl(className, exStyle, text ? text : control_.Caption().c_str(), style | CommonStyle(), r,
                     ParentWindow(), ControlId()))
    return false;
  SetFont(Context().GetFonts().Normal());
  ArrangeTabOrder();
  KeepAbovePictures();
  ApplyTip();
  return true;
}

bool ControlPeer::CreateOwnWindow(const char* className, const ClassLook& look, DWORD style, DWORD exStyle) {
  RECT r = ModelRect();
  if (!CreateOwn(className, look, exStyle, control_.Caption().c_str(), style | CommonStyle(), r, ParentWindow(),
                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId()))))
    return false;
  SetFont(Context().GetFonts().Normal());
  ArrangeTabOrder();
  KeepAbovePictures();
  ApplyTip();
  return true;
}

int ControlPeer::ControlId() { return Context().NextControlId(); }

SIZE ControlPeer::NaturalSize() const { return SIZE{0, 0}; }

DWORD ControlPeer::CommonStyle() const {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) style |= WS_VISIBLE;
  if (!control_.Enabled()) style |= WS_DISABLED;
  return style;
}

HWND ControlPeer::ParentWindow() const {
  return control_.Parent() ? platform::win32::FromId<HWND>(control_.Parent()->Handle()) : nullptr;
}

FormPeer* ControlPeer::OwnerFormPeer() const {
  ui::Form* f = control_.OwnerForm();
  return f ? FormPeer::Of(Context().Forms(), *f) : nullptr;
}

// The main window shows the hints in its status bar; the other forms have
// none, so a control that shows its hint shows it as a tooltip there.
void ControlPeer::ApplyTip() {
  if (!control_.ShowHint()) return;
  const Form* form = control_.OwnerForm();
  const Application* app = Context().App();
  if (!form || (app && app->MainForm() == form)) return;
  if (FormPeer* f = OwnerFormPeer()) f->SetTip(hwnd(), control_.Hint());
}

void ControlPeer::SetFont(HFONT font) { ::SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

// The window order is the tab order: a control goes after the sibling with
// the next lower tab position.
void ControlPeer::ArrangeTabOrder() {
  int mine = control_.TabOrder();
  if (mine < 0 || !control_.Parent()) return;
  HWND after = HWND_TOP;
  int best = -1;
  for (Control* sibling : control_.Parent()->Children()) {
    if (sibling == &control_ || IsNull(sibling->Handle())) continue;
    int order = sibling->TabOrder();
    if (order >= 0 && order < mine && order > best) {
      best = order;
      after = platform::win32::FromId<HWND>(sibling->Handle());
    }
  }
  ::SetWindowPos(hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A picture lies beneath its siblings; a control made after it (new child
// windows go to the bottom) is lifted above it.
void ControlPeer::KeepAbovePictures() {
  if (control_.GetKind() == Kind::Image || !control_.Parent()) return;
  for (Control* sibling : control_.Parent()->Children()) {
    if (sibling->GetKind() == Kind::Image && !IsNull(sibling->Handle())) {
      ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
  }
}

RECT ControlPeer::ModelRect() const {
  const Rect& b = control_.Bounds();
  RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
  if (b.width == 0 || b.height == 0) {
    SIZE natural = NaturalSize();
    if (b.width == 0) r.right = r.left + natural.cx;
    if (b.height == 0) r.bottom = r.top + natural.cy;
  }
  Fit(&r);
  if (control_.Parent()) {
    if (auto* parent = dynamic_cast<ControlPeer*>(control_.Parent()->GetPeer())) parent->PlaceChild(control_, &r);
  }
  return r;
}

void ControlPeer::Fit(RECT*) const {}

void ControlPeer::PlaceChild(const Control&, RECT*) {}

void ControlPeer::ApplyBounds() {
  RECT r = ModelRect();
  ::MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void ControlPeer::Changed(Prop p, int index, int sub) {
  if (!hwnd()) return;
  switch (p) {
    case Prop::Bounds: ApplyBounds(); break;
    case Prop::Visible: ::ShowWindow(hwnd(), control_.Visible() ? SW_SHOWNA : SW_HIDE); break;
    case Prop::Enabled: ::EnableWindow(hwnd(), control_.Enabled() ? TRUE : FALSE); break;
    case Prop::Hint:
      Context().GetHints().HintChanged(control_);
      ApplyTip();
      break;
    default: OnChanged(p, index, sub); break;
  }
}

void ControlPeer::OnChanged(Prop p, int, int) {
  if (p == Prop::Caption) ::SetWindowTextA(hwnd(), control_.Caption().c_str());
}

void ControlPeer::SetFocus() {
  if (!hwnd() || !control_.CanFocus()) return;
  if (FormPeer* f = OwnerFormPeer())
    f->FocusChild(hwnd());
  else
    ::SetFocus(hwnd());
}

LRESULT ControlPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_MOUSELEAVE: return OnMouseLeave(wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus(wParam, lParam);
    case WM_GETDLGCODE: return OnGetDlgCode(wParam, lParam);
    case WM_CHAR: return OnChar(wParam, lParam);
    default: return PeerWindow::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT ControlPeer::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  Context().GetHints().MouseOver(control_, hwnd());
  control_.MouseMove();
  return Default(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT ControlPeer::OnMouseLeave(WPARAM wParam, LPARAM lParam) {
  Context().GetHints().MouseLeft(control_);
  return Default(WM_MOUSELEAVE, wParam, lParam);
}

LRESULT ControlPeer::OnSetFocus(WPARAM wParam, LPARAM lParam) {
  if (FormPeer* f = OwnerFormPeer()) f->ChildFocused(hwnd());
  return Default(WM_SETFOCUS, wParam, lParam);
}

// A control that listens to typed characters gets them all from the dialog
// manager, Esc included, instead of mnemonics and the cancel command.
LRESULT ControlPeer::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = Default(WM_GETDLGCODE, wParam, lParam);
  if (!control_.OnKeyPress) return code;
  code |= DLGC_WANTCHARS;
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) code |= DLGC_WANTMESSAGE;
  return code;
}

LRESULT ControlPeer::OnChar(WPARAM wParam, LPARAM lParam) {
  if (control_.OnKeyPress) control_.KeyPress(static_cast<char>(wParam));
  return Default(WM_CHAR, wParam, lParam);
}

}  // namespace nimbul::ui::win32
