#include "ui/win32/win32_backend.h"

#include <algorithm>

#include "platform/win32/handle_ids.h"
#include "ui/application.h"
#include "ui/win32/app_window.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/native_menu.h"
#include "ui/win32/peer_factory.h"

namespace nimbul::ui::win32 {

Win32Backend::Win32Backend(platform::Platform& platform)
    : platform_(platform), hints_([this](const std::string& hint) {
        if (app_) app_->SetHint(hint);
      }) {
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof init;
  init.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS | ICC_PROGRESS_CLASS;
  ::InitCommonControlsEx(&init);
}

Win32Backend::~Win32Backend() = default;

std::unique_ptr<Peer> Win32Backend::CreatePeer(Control& c) {
  if (auto standIn = deferred_.StandIn(c, !app_ || app_->MainForm() == &c)) return standIn;
  return MakePeer(Context(), c);
}

std::unique_ptr<MenuPeer> Win32Backend::CreateMenuPeer(Menu& m) {
  if (auto standIn = deferred_.StandIn(m)) return standIn;
  // The menu's messages go to the form that holds it, else to the main form.
  FormPeer* owner = nullptr;
  for (FormPeer* f : forms_.All()) {
    const auto& menus = f->Model().Menus();
    if (std::find(menus.begin(), menus.end(), &m) != menus.end()) owner = f;
  }
  if (!owner && app_ && app_->MainForm()) owner = FormPeer::Of(forms_, *app_->MainForm());
  return std::make_unique<NativeMenu>(Context(), m, owner);
}

platform::Hwnd Win32Backend::CreateApplicationWindow(const std::string& title) {
  appWindow_ = std::make_unique<AppWindow>(Context(), title);
  return platform::win32::ToId<platform::Hwnd>(appWindow_->hwnd());
}

HWND Win32Backend::AppWindowHandle() const { return appWindow_ ? appWindow_->hwnd() : nullptr; }

void Win32Backend::SetApplicationTitle(const std::string& title) {
  if (HWND h = AppWindowHandle()) ::SetWindowTextA(h, title.c_str());
}

void Win32Backend::ShowApplicationWindow(bool show) {
  if (HWND h = AppWindowHandle()) ::ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

void Win32Backend::MinimizeApplication() {
  std::vector<FormPeer*> hidden;
  for (FormPeer* f : forms_.All()) {
    if (!::IsWindowVisible(f->hwnd())) continue;
    hidden.push_back(f);
    ::ShowWindow(f->hwnd(), SW_HIDE);
  }
  forms_.SetHiddenByMinimize(std::move(hidden));
  if (appWindow_ && appWindow_->hwnd()) appWindow_->Minimize();
}

void Win32Backend::RestoreApplication() {
  if (appWindow_ && appWindow_->hwnd()) appWindow_->Restore();
  // A form the program hid meanwhile stays hidden.
  for (FormPeer* f : forms_.TakeHiddenByMinimize())
    if (f->Model().Visible()) ::ShowWindow(f->hwnd(), SW_SHOW);
}

Control* Win32Backend::FocusedControl() {
  // From the focused window up to its form: the nearest window that is a control's.
  for (HWND h = ::GetFocus(); h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD); h = ::GetParent(h)) {
    if (auto* control = dynamic_cast<ControlPeer*>(PeerWindow::FromHandle(h))) return &control->Model();
  }
  return nullptr;
}

bool Win32Backend::ApplicationActive() {
  // A minimized application may keep the activation when nothing else takes
  // it, but to the user it is no longer the active program.
  HWND appWindow = AppWindowHandle();
  auto counts = [&](HWND h) { return h && !(h == appWindow && ::IsIconic(appWindow)); };
  // The foreground decides first: the thread's active window stays ours until
  // the deactivation is handled, and a hotkey pressed in another program may
  // arrive before that.
  if (HWND foreground = ::GetForegroundWindow()) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(foreground, &process);
    if (process != ::GetCurrentProcessId()) return false;
    if (counts(foreground)) return true;
  }
  return counts(::GetActiveWindow());
}

void Win32Backend::PopupMenuAt(PopupMenu& m, int x, int y) {
  if (!dynamic_cast<NativeMenu*>(m.GetPeer())) deferred_.MakeOwnerOf(m);
  if (auto* native = dynamic_cast<NativeMenu*>(m.GetPeer())) native->Popup(x, y);
}

void Win32Backend::CursorPos(int* x, int* y) {
  POINT p{0, 0};
  ::GetCursorPos(&p);
  *x = p.x;
  *y = p.y;
}

void Win32Backend::ProcessMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The quit request belongs to the message loop; leave it for that.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Handle(msg);
  }
}

void Win32Backend::RunMessageLoop() {
  MSG msg;
  for (;;) {
    // The forms not shown yet get their windows one by one while nothing
    // else waits, so the main window is up and painted first.
    while (!deferred_.Empty() && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) deferred_.MakeNext();
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) return;
    Handle(msg);
  }
}

void Win32Backend::Terminate() { ::PostQuitMessage(0); }

void Win32Backend::Handle(MSG& msg) {
  if (PreTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

void Win32Backend::NoteKeysHeldAtShow() {
  for (WPARAM vk : {VK_RETURN, VK_ESCAPE, VK_SPACE})
    if (::GetKeyState(static_cast<int>(vk)) & 0x8000) heldAtShow_.insert(vk);
}

bool Win32Backend::DropHeldKey(const MSG& msg) {
  if (heldAtShow_.empty()) return false;
  switch (msg.message) {
    case WM_KEYUP: heldAtShow_.erase(msg.wParam); return false;
    case WM_KEYDOWN:
      if (!heldAtShow_.count(msg.wParam)) return false;
      // Bit 30: the key was down before, so this is a repeat of the held press.
      if (msg.lParam & (1L << 30)) return true;
      heldAtShow_.erase(msg.wParam);
      return false;
    case WM_CHAR: {
      const WPARAM vk = msg.wParam == '\r'   ? VK_RETURN
                        : msg.wParam == 0x1B ? VK_ESCAPE
                        : msg.wParam == ' '  ? VK_SPACE
                                             : 0;
      return vk != 0 && heldAtShow_.count(vk) != 0;
    }
    default: return false;
  }
}

// The form the message is for gets its menu shortcuts first, then the dialog
// manager's keys (Tab, Enter, Esc), which also dispatches what it takes.
bool Win32Backend::PreTranslate(MSG& msg) {
  if (DropHeldKey(msg)) return true;
  if (!msg.hwnd) return false;
  FormPeer* form = FormPeer::AtWindow(forms_, ::GetAncestor(msg.hwnd, GA_ROOT));
  if (!form || form->hwnd() != ::GetActiveWindow()) return false;
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && form->TranslateShortcut(msg)) return true;
  return ::IsDialogMessageA(form->hwnd(), &msg) != FALSE;
}

void Win32Backend::ReportError(const std::exception& e) {
  if (app_) app_->ShowException(e);
}

}  // namespace nimbul::ui::win32
