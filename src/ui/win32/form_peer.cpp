#include "ui/win32/form_peer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/handle_ids.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/win32/caption_painter.h"
#include "ui/win32/colors.h"
#include "ui/win32/messages.h"
#include "ui/win32/native_menu.h"
#include "ui/win32/form_registry.h"
#include "ui/win32/hints.h"
#include "ui/win32/menu_registry.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

constexpr char kIconResource[] = "MAINICON";

struct FrameStyle {
  DWORD style;
  DWORD ex;
};

FrameStyle StyleFor(BorderStyle b) {
  constexpr DWORD kCommon = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  constexpr DWORD kCommonEx = WS_EX_CONTROLPARENT;
  switch (b) {
    case BorderStyle::Sizeable: return {WS_OVERLAPPEDWINDOW | kCommon, kCommonEx};
    case BorderStyle::Dialog: return {WS_CAPTION | WS_SYSMENU | kCommon, kCommonEx | WS_EX_DLGMODALFRAME};
    case BorderStyle::ToolWindow: return {WS_CAPTION | WS_SYSMENU | kCommon, kCommonEx | WS_EX_TOOLWINDOW};
    case BorderStyle::SizeToolWindow:
      return {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | kCommon, kCommonEx | WS_EX_TOOLWINDOW};
    case BorderStyle::None: return {WS_POPUP | kCommon, kCommonEx};
  }
  return {WS_OVERLAPPEDWINDOW | kCommon, kCommonEx};
}

// The outer size that gives the form the client size it asks for.
SIZE OuterForClient(DWORD style, DWORD ex, bool menu, int cw, int ch) {
  RECT r{0, 0, cw, ch};
  ::AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, ex);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

Button* FindDialogButton(Control& c, bool isDefault) {
  if (c.GetKind() == Kind::Button) {
    auto& b = static_cast<Button&>(c);
    if ((isDefault ? b.IsDefault() : b.IsCancel()) && b.CanFocus()) return &b;
  }
  for (Control* child : c.Children())
    if (Button* b = FindDialogButton(*child, isDefault)) return b;
  return nullptr;
}

PageControl* FindPageControl(Control& c) {
  if (c.GetKind() == Kind::PageControl) return static_cast<PageControl*>(&c);
  for (Control* child : c.Children())
    if (PageControl* found = FindPageControl(*child)) return found;
  return nullptr;
}

}  // namespace

FormPeer::FormPeer(PeerContext& context, Form& form) : PeerWindow(context), form_(form) {
  std::string className = "T" + form.Name();
  ClassLook look;
  look.iconResource = kIconResource;
  FrameStyle fs = StyleFor(form.Border());
  if (form.TopMost()) fs.ex |= WS_EX_TOPMOST;
  if (form.MinimizeBox()) fs.style |= WS_MINIMIZEBOX;
  int w = form.Width(), h = form.Height();
  if (form.ClientWidth() > 0 && form.ClientHeight() > 0) {
    SIZE outer = OuterForClient(fs.style, fs.ex, form.Menu() != nullptr, form.ClientWidth(), form.ClientHeight());
    w = outer.cx;
    h = outer.cy;
  }
  RECT r{form.Left(), form.Top(), form.Left() + w, form.Top() + h};
  // Created hidden, so the handle exists before the form's creation handler runs.
  if (!CreateOwn(className.c_str(), look, fs.ex, form.Caption().c_str(), fs.style, r, context.AppWindowHandle(),
                 nullptr))
    return;
  context.Forms().Add(this);
  if (!form.Enabled()) ::EnableWindow(hwnd(), FALSE);
  ApplyIcon();
  ReportGeometry();
}

FormPeer::~FormPeer() {
  Context().Forms().Remove(this);
  for (NativeMenu* m : Context().Menus().Slots())
    if (m) m->OwnerGone(this);
  // The menu belongs to its menu peer; the window must not take it along.
  if (hwnd() && menuBar_) ::SetMenu(hwnd(), nullptr);
}

FormPeer* FormPeer::Of(const FormRegistry& forms, const Form& form) {
  for (FormPeer* f : forms.All())
    if (&f->Model() == &form) return f;
  return nullptr;
}

FormPeer* FormPeer::AtWindow(const FormRegistry& forms, HWND hwnd) {
  for (FormPeer* f : forms.All())
    if (f->hwnd() == hwnd) return f;
  return nullptr;
}

platform::Hwnd FormPeer::Handle() const { return platform::win32::ToId<platform::Hwnd>(hwnd()); }

void FormPeer::Changed(Prop p, int, int) {
  if (!hwnd()) return;
  switch (p) {
    case Prop::Caption: ::SetWindowTextA(hwnd(), form_.Caption().c_str()); break;
    case Prop::Bounds: ApplyBounds(); break;
    case Prop::Visible: ApplyVisible(); break;
    case Prop::Enabled: ::EnableWindow(hwnd(), form_.Enabled() ? TRUE : FALSE); break;
    case Prop::Style: PaintCaption(); break;
    case Prop::Images: ApplyIcon(); break;
    default: break;
  }
}

void FormPeer::SetFocus() {
  if (hwnd() && ::IsWindowVisible(hwnd())) ::SetActiveWindow(hwnd());
}

void FormPeer::FocusChild(HWND child) {
  lastFocus_ = child;
  // A hidden form takes the focus when it is shown.
  if (::IsWindowVisible(hwnd())) ::SetFocus(child);
}

void FormPeer::AttachMenuBar(NativeMenu* menu) {
  menuBar_ = menu;
  ::SetMenu(hwnd(), menu->Handle());
}

void FormPeer::DetachMenuBar(const NativeMenu* menu) {
  if (menuBar_ == menu) menuBar_ = nullptr;
}

void FormPeer::SetTip(HWND control, const std::string& text) {
  if (!hwnd() || !control) return;
  if (!tips_) {
    tips_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                              0, hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!tips_) return;
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  auto known = std::find(tipped_.begin(), tipped_.end(), control);
  if (text.empty()) {
    if (known == tipped_.end()) return;
    ::SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tipped_.erase(known);
  } else if (known != tipped_.end()) {
    ::SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (::SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
    tipped_.push_back(control);
  }
}

bool FormPeer::TranslateShortcut(MSG& msg) {
  // Ctrl+Tab turns the pages of a form that has them.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0) {
    if (PageControl* pages = FindPageControl(form_)) {
      pages->UserSelectsNext(::GetKeyState(VK_SHIFT) >= 0);
      return true;
    }
  }
  if (!menuBar_) return false;
  HACCEL table = menuBar_->Accelerators();
  return table && ::TranslateAcceleratorA(hwnd(), table, &msg) != 0;
}

void FormPeer::ScheduleMenuRebuild() {
  if (rebuildPosted_ || !hwnd() || !menuBar_) return;
  rebuildPosted_ = ::PostMessageA(hwnd(), kWmRebuildMenus, 0, 0) != FALSE;
}

LRESULT FormPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: return OnSize(wParam, lParam);
    case WM_MOVE: return OnMove(wParam, lParam);
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(wParam, lParam);
    case WM_SETFOCUS: return OnSetFocus(wParam, lParam);
    case WM_CLOSE: return OnClose();
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_NCPAINT: return OnNcPaint(wParam, lParam);
    case WM_NCACTIVATE: return OnNcActivate(wParam, lParam);
    case WM_SETTEXT: return OnSetText(wParam, lParam);
    case WM_INITMENU: return OnInitMenu(reinterpret_cast<HMENU>(wParam));
    case WM_INITMENUPOPUP: return OnInitMenuPopup(wParam, lParam);
    case WM_MENUSELECT: return OnMenuSelect(wParam, lParam);
    case WM_ENTERMENULOOP: return OnEnterMenuLoop(wParam, lParam);
    case WM_EXITMENULOOP: return OnExitMenuLoop(wParam, lParam);
    case kWmRebuildMenus: return OnRebuildMenus();
    case kWmReportGeometry: return OnReportGeometry();
    case WM_MEASUREITEM: return OnMeasureItem(wParam, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return OnDrawItem(wParam, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    default: return PeerWindow::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT FormPeer::OnSize(WPARAM kind, LPARAM lParam) {
  // A minimized form has no client area worth laying out.
  if (kind != SIZE_MINIMIZED) ReportGeometry();
  return Default(WM_SIZE, kind, lParam);
}

LRESULT FormPeer::OnMove(WPARAM wParam, LPARAM lParam) {
  if (!::IsIconic(hwnd())) ReportGeometry();
  return Default(WM_MOVE, wParam, lParam);
}

LRESULT FormPeer::OnGetMinMaxInfo(MINMAXINFO* info) {
  if (form_.MinTrackWidth() > 0) info->ptMinTrackSize.x = form_.MinTrackWidth();
  if (form_.MinTrackHeight() > 0) info->ptMinTrackSize.y = form_.MinTrackHeight();
  return 0;
}

LRESULT FormPeer::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE)
    form_.SystemDeactivated();
  else
    form_.SystemActivated();
  return Default(WM_ACTIVATE, wParam, lParam);
}

// Under Wine the foreground can come back to a window whose thread still
// counts it active, with no activation message at all: then only its rise
// in the Z-order tells the form.
LRESULT FormPeer::OnWindowPosChanged(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default(WM_WINDOWPOSCHANGED, wParam, lParam);
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
  if (pos && !(pos->flags & SWP_NOZORDER) && ::IsWindowVisible(hwnd())) form_.SystemZOrderChanged();
  return result;
}

// The form itself takes no keys: the focus goes on to the control last focused.
LRESULT FormPeer::OnSetFocus(WPARAM, LPARAM) {
  HWND target = lastFocus_;
  if (!target || !::IsChild(hwnd(), target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target))
    target = ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  if (target && target != hwnd()) ::SetFocus(target);
  return 0;
}

// The model decides whether the form closes.
LRESULT FormPeer::OnClose() {
  form_.Close();
  return 0;
}

LRESULT FormPeer::OnSysCommand(WPARAM command, LPARAM lParam) {
  Application* app = Context().App();
  if ((command & 0xFFF0) == SC_MINIMIZE && app && app->MainForm() == &form_) {
    app->Minimize();
    return 0;
  }
  return Default(WM_SYSCOMMAND, command, lParam);
}

LRESULT FormPeer::OnNcPaint(WPARAM wParam, LPARAM lParam) {
  LRESULT r = Default(WM_NCPAINT, wParam, lParam);
  PaintCaption();
  return r;
}

LRESULT FormPeer::OnNcActivate(WPARAM wParam, LPARAM lParam) {
  LRESULT r = Default(WM_NCACTIVATE, wParam, lParam);
  active_ = wParam != FALSE;
  PaintCaption();
  return r;
}

// The system paints the new title straight away, over the gradient.
LRESULT FormPeer::OnSetText(WPARAM wParam, LPARAM lParam) {
  LRESULT r = Default(WM_SETTEXT, wParam, lParam);
  PaintCaption();
  return r;
}

LRESULT FormPeer::OnInitMenu(HMENU menu) {
  if (NativeMenu* m = NativeMenu::Owning(Context().Menus(), menu)) m->EnsureBuilt();
  return 0;
}

LRESULT FormPeer::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  // The window menu is the system's.
  if (HIWORD(lParam)) return Default(WM_INITMENUPOPUP, wParam, lParam);
  auto menu = reinterpret_cast<HMENU>(wParam);
  if (NativeMenu* m = NativeMenu::Owning(Context().Menus(), menu)) m->OpenSubmenu(menu);
  return 0;
}

LRESULT FormPeer::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  auto menu = reinterpret_cast<HMENU>(lParam);
  UINT flags = HIWORD(wParam);
  // The menu closed.
  if (flags == 0xFFFF && !menu) {
    Context().GetHints().MenuHint("");
    return 0;
  }
  NativeMenu* m = (flags & MF_SYSMENU) ? nullptr : NativeMenu::Owning(Context().Menus(), menu);
  Context().GetHints().MenuHint(m ? m->HintOf(menu, LOWORD(wParam), flags) : std::string());
  return 0;
}

LRESULT FormPeer::OnEnterMenuLoop(WPARAM wParam, LPARAM lParam) {
  Context().Menus().EnterLoop();
  return Default(WM_ENTERMENULOOP, wParam, lParam);
}

LRESULT FormPeer::OnExitMenuLoop(WPARAM wParam, LPARAM lParam) {
  // Changes made while a menu was open reach the menu bars now.
  if (Context().Menus().ExitLoop())
    for (FormPeer* f : Context().Forms().All()) f->ScheduleMenuRebuild();
  return Default(WM_EXITMENULOOP, wParam, lParam);
}

LRESULT FormPeer::OnRebuildMenus() {
  rebuildPosted_ = false;
  // Never under an open menu: the menu loop's end asks again.
  if (menuBar_ && !Context().Menus().InLoop()) {
    menuBar_->EnsureBuilt();
    ::DrawMenuBar(hwnd());
  }
  return 0;
}

LRESULT FormPeer::OnReportGeometry() {
  reportPosted_ = false;
  ReportGeometry();
  return 0;
}

LRESULT FormPeer::OnMeasureItem(WPARAM wParam, MEASUREITEMSTRUCT* item) {
  if (item->CtlType == ODT_MENU) {
    if (NativeMenu* m = NativeMenu::OfCommand(Context().Menus(), item->itemID))
      return m->MeasureImage(item) ? TRUE : FALSE;
  }
  return PeerWindow::HandleMessage(WM_MEASUREITEM, wParam, reinterpret_cast<LPARAM>(item));
}

LRESULT FormPeer::OnDrawItem(WPARAM wParam, DRAWITEMSTRUCT* item) {
  if (item->CtlType == ODT_MENU) {
    if (NativeMenu* m = NativeMenu::OfCommand(Context().Menus(), item->itemID))
      return m->DrawImage(item) ? TRUE : FALSE;
  }
  return PeerWindow::HandleMessage(WM_DRAWITEM, wParam, reinterpret_cast<LPARAM>(item));
}

LRESULT FormPeer::OnMenuCommand(UINT id, UINT code, WPARAM wParam, LPARAM lParam) {
  // Enter and Esc in a form, as the dialog manager reports them.
  if (id == IDOK || id == IDCANCEL) {
    // Esc in a form without a cancel button is a key the form itself handles.
    if (!ClickDialogButton(id == IDOK) && id == IDCANCEL) form_.KeyPress('\x1b');
    return 0;
  }
  if (menuBar_ && menuBar_->OwnsAccelerator(id)) {
    menuBar_->AcceleratorCommand(id);
    return 0;
  }
  if (NativeMenu* m = NativeMenu::OfCommand(Context().Menus(), id)) {
    m->Command(id);
    return 0;
  }
  return PeerWindow::OnMenuCommand(id, code, wParam, lParam);
}

bool FormPeer::ClickDialogButton(bool isDefault) {
  Button* b = FindDialogButton(form_, isDefault);
  if (b) b->Click();
  return b != nullptr;
}

void FormPeer::ApplyBounds() {
  if (reporting_) {
    boundsPending_ = true;
    return;
  }
  RECT actual;
  ::GetWindowRect(hwnd(), &actual);
  int w = form_.Width(), h = form_.Height();
  // A client size the peer did not report comes from the program (SetClientSize).
  if (form_.ClientWidth() != reportedClientW_ || form_.ClientHeight() != reportedClientH_) {
    SIZE outer = OuterForClient(static_cast<DWORD>(::GetWindowLongA(hwnd(), GWL_STYLE)),
                                static_cast<DWORD>(::GetWindowLongA(hwnd(), GWL_EXSTYLE)), ::GetMenu(hwnd()) != nullptr,
                                form_.ClientWidth(), form_.ClientHeight());
    w = outer.cx;
    h = outer.cy;
  }
  if (actual.left == form_.Left() && actual.top == form_.Top() && actual.right - actual.left == w &&
      actual.bottom - actual.top == h)
    return;
  ::SetWindowPos(hwnd(), nullptr, form_.Left(), form_.Top(), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::ApplyVisible() {
  if (!form_.Visible()) {
    ::ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  if (!shownOnce_ && form_.Position() == FormPosition::ScreenCenter) CenterOnScreen();
  shownOnce_ = true;
  Context().NoteKeysHeldAtShow();
  ::ShowWindow(hwnd(), SW_SHOW);
}

void FormPeer::ApplyIcon() {
  if (platform::Hicon own = form_.Icon(); !platform::IsNull(own)) {
    // The model's icon serves both sizes; the window does not own it.
    LPARAM icon = reinterpret_cast<LPARAM>(platform::win32::FromId<HICON>(own));
    ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, icon);
    ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, icon);
    PaintCaption();
    return;
  }
  const std::string& name = form_.IconResource();
  if (name.empty()) return;
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  // Shared resource icons: the system frees them with the module.
  auto load = [&](int metricX, int metricY) {
    return ::LoadImageA(instance, name.c_str(), IMAGE_ICON, ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY),
                        LR_SHARED);
  };
  if (HANDLE big = load(SM_CXICON, SM_CYICON))
    ::SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (HANDLE small = load(SM_CXSMICON, SM_CYSMICON))
    ::SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void FormPeer::CenterOnScreen() {
  RECT work;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r;
  ::GetWindowRect(hwnd(), &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = work.left + (work.right - work.left - w) / 2;
  int y = work.top + (work.bottom - work.top - h) / 2;
  ::SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's real geometry goes into the model, position and size together
// (a move reported alone would make the model's stale size look like the
// program's wish); what the model's handlers change meanwhile is applied once
// they are done.
void FormPeer::ReportGeometry() {
  // While the form is being built its handlers must not run yet.
  if (form_.GetPeer() != this) {
    if (!reportPosted_) reportPosted_ = ::PostMessageA(hwnd(), kWmReportGeometry, 0, 0) != FALSE;
    return;
  }
  RECT outer, client;
  ::GetWindowRect(hwnd(), &outer);
  ::GetClientRect(hwnd(), &client);
  reporting_ = true;
  // The position first: the size report keeps the model's position.
  if (outer.left != form_.Left() || outer.top != form_.Top())
    form_.SetBounds(outer.left, outer.top, form_.Width(), form_.Height());
  reportedClientW_ = client.right;
  reportedClientH_ = client.bottom;
  form_.SystemResized(outer.right - outer.left, outer.bottom - outer.top, client.right, client.bottom);
  reporting_ = false;
  if (boundsPending_) {
    boundsPending_ = false;
    ApplyBounds();
  }
}

void FormPeer::PaintCaption() {
  PaintGradientCaption(hwnd(), ToColorRef(form_.GradientStart()), form_.GradientSteps(), active_);
}

}  // namespace nimbul::ui::win32
