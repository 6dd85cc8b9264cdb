#include "ui/win32/toolbar_peer.h"

#include <algorithm>

#include "ui/menu.h"
#include "ui/win32/hints.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kChildGap = 4;

BYTE ButtonStyleBits(const ToolButton& b) {
  switch (b.Style()) {
    case ButtonStyle::Separator: return BTNS_SEP;
    case ButtonStyle::Check: return BTNS_CHECK;
    case ButtonStyle::Button: break;
  }
  return BTNS_BUTTON;
}

}  // namespace

BYTE ToolButtonState(const ToolButton& button) {
  BYTE state = 0;
  if (button.Enabled()) state |= TBSTATE_ENABLED;
  if (button.Down()) state |= TBSTATE_CHECKED;
  if (!button.Visible()) state |= TBSTATE_HIDDEN;
  return state;
}

ToolBarPeer::ToolBarPeer(PeerContext& context, ToolBar& bar) : ControlPeer(context, bar), bar_(bar) {
  // No TBSTYLE_TOOLTIPS: the hints go to the status bar. The model places the bar.
  DWORD style = WS_CLIPCHILDREN | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | (bar.Flat() ? TBSTYLE_FLAT : 0u);
  // A control on the tool bar (the feedback link) takes part in Tab navigation.
  if (!Create(TOOLBARCLASSNAMEA, style, WS_EX_CONTROLPARENT, "")) return;
  ::SendMessageA(hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (HIMAGELIST list = images_.Get(bar.Images()))
    ::SendMessageA(hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
  AddButtons();
}

void ToolBarPeer::AddButtons() {
  std::vector<TBBUTTON> buttons;
  for (Control* c : bar_.Children()) {
    if (c->GetKind() != Kind::ToolButton) continue;
    auto* b = static_cast<ToolButton*>(c);
    buttons_.push_back(b);
    TBBUTTON tb{};
    bool separator = b->Style() == ButtonStyle::Separator;
    tb.iBitmap = separator ? kSeparatorWidth : (b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE);
    tb.idCommand = static_cast<int>(buttons_.size());
    tb.fsState = ToolButtonState(*b);
    tb.fsStyle = ButtonStyleBits(*b);
    tb.iString = -1;
    buttons.push_back(tb);
  }
  if (!buttons.empty())
    ::SendMessageA(hwnd(), TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

ToolButton* ToolBarPeer::ButtonOfCommand(UINT id) const {
  if (id == 0 || id > buttons_.size()) return nullptr;
  return buttons_[id - 1];
}

UINT ToolBarPeer::CommandOf(const ToolButton& button) const {
  auto it = std::find(buttons_.begin(), buttons_.end(), &button);
  return it == buttons_.end() ? 0 : static_cast<UINT>(it - buttons_.begin() + 1);
}

// Child controls line up after the last visible button, centred in the bar's height.
void ToolBarPeer::PlaceChild(const Control& child, RECT* r) {
  if (child.GetKind() == Kind::ToolButton || !hwnd()) return;
  int right = 0;
  int count = static_cast<int>(::SendMessageA(hwnd(), TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item;
    if (::SendMessageA(hwnd(), TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
      right = std::max(right, static_cast<int>(item.right));
  }
  RECT client;
  ::GetClientRect(hwnd(), &client);
  int w = r->right - r->left, h = r->bottom - r->top;
  r->left = right + kChildGap;
  r->top = std::max(0, static_cast<int>(client.bottom - h) / 2);
  r->right = r->left + w;
  r->bottom = r->top + h;
}

void ToolBarPeer::PlaceChildren() {
  for (Control* c : bar_.Children())
    if (c->GetKind() != Kind::ToolButton && c->GetPeer()) c->GetPeer()->Changed(Prop::Bounds);
}

LRESULT ToolBarPeer::OnReflectedCommand(UINT, UINT id) {
  ToolButton* b = ButtonOfCommand(id);
  if (!b) return 0;
  // A two-state button has flipped already; the model follows before the click.
  if (b->Style() == ButtonStyle::Check) b->SetDown(::SendMessageA(hwnd(), TB_ISBUTTONCHECKED, id, 0) != 0);
  b->Click();
  return 0;
}

LRESULT ToolBarPeer::OnReflectedNotify(NMHDR* header) {
  switch (header->code) {
    case TBN_HOTITEMCHANGE: return OnHotItemChange(reinterpret_cast<NMTBHOTITEM*>(header));
    case NM_RCLICK: return OnRightClick(reinterpret_cast<NMMOUSE*>(header));
    default: return 0;
  }
}

LRESULT ToolBarPeer::OnHotItemChange(NMTBHOTITEM* hot) {
  ToolButton* b = (hot->dwFlags & HICF_LEAVING) ? nullptr : ButtonOfCommand(static_cast<UINT>(hot->idNew));
  Context().GetHints().HintFrom(b);
  return 0;
}

// A button with a menu offers it on a right click.
LRESULT ToolBarPeer::OnRightClick(NMMOUSE* mouse) {
  ToolButton* b = ButtonOfCommand(static_cast<UINT>(mouse->dwItemSpec));
  if (!b || !b->DropdownMenu()) return 0;
  POINT p;
  ::GetCursorPos(&p);
  b->DropdownMenu()->Popup(p.x, p.y);
  return TRUE;
}

// Over a button the hot item carries the hint; only the bare bar is "the tool bar".
LRESULT ToolBarPeer::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  int hit = static_cast<int>(::SendMessageA(hwnd(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)));
  if (hit >= 0) return Default(WM_MOUSEMOVE, wParam, lParam);
  return ControlPeer::OnMouseMove(wParam, lParam);
}

void ToolBarPeer::ButtonChanged(const ToolButton& button, Prop p) {
  UINT id = CommandOf(button);
  if (id == 0 || !hwnd()) return;
  switch (p) {
    case Prop::Visible:
    case Prop::Enabled:
    case Prop::Checked:
      ::SendMessageA(hwnd(), TB_SETSTATE, id, MAKELPARAM(ToolButtonState(button), 0));
      if (p == Prop::Visible) PlaceChildren();
      break;
    case Prop::Hint: Context().GetHints().HintChanged(button); break;
    default: break;
  }
}

void ToolBarPeer::ButtonGone(const ToolButton& button) {
  for (auto& b : buttons_)
    if (b == &button) b = nullptr;
}

ToolButtonPeer::ToolButtonPeer(PeerContext& context, ToolButton& button) : context_(context), button_(button) {}

ToolButtonPeer::~ToolButtonPeer() {
  context_.GetHints().ControlGone(button_);
  if (ToolBarPeer* bar = Bar()) bar->ButtonGone(button_);
}

ToolBarPeer* ToolButtonPeer::Bar() const {
  Control* parent = button_.Parent();
  return parent ? dynamic_cast<ToolBarPeer*>(parent->GetPeer()) : nullptr;
}

void ToolButtonPeer::Changed(Prop p, int, int) {
  if (ToolBarPeer* bar = Bar()) bar->ButtonChanged(button_, p);
}

}  // namespace nimbul::ui::win32
