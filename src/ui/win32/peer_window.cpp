#include "ui/win32/peer_window.h"

#include <unordered_map>

#include "platform/win32/message_window.h"

#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

// The peers of this thread's windows by handle. A window property would do
// the same, but every message would then cost a call to the system.
std::unordered_map<HWND, PeerWindow*>& Peers() {
  thread_local std::unordered_map<HWND, PeerWindow*> peers;
  return peers;
}

// Where a control keeps its own window procedure when its peer goes while
// another subclass sits on top of the program's, so the procedure cannot be
// put back: the program's procedure then hands every message on to it.
constexpr char kOriginalProcProperty[] = "NimbulonOriginalProc";

bool EnsureClass(const char* className, const ClassLook& look, WNDPROC proc) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  // Looked up first: the icons below are loaded only for a new class.
  if (::GetClassInfoExA(instance, className, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, look.cursor);
  if (look.backgroundColor >= 0)
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(look.backgroundColor + 1));
  // Only windows with a frame show an icon: a control's class needs none,
  // and loading one costs each new class a good part of a millisecond.
  if (look.iconResource) {
    // Shared resource icons: the system frees them with the module.
    wc.hIcon = ::LoadIconA(instance, look.iconResource);
    wc.hIconSm =
        static_cast<HICON>(::LoadImageA(instance, look.iconResource, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    // A program without its icon resource (the test programs) gets the system's.
    if (!wc.hIcon) wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  }
  wc.lpszClassName = className;
  return platform::win32::EnsureWindowClass(wc);
}

}  // namespace

PeerWindow::~PeerWindow() {
  HWND h = window_.get();
  if (!h) return;
  // The messages of the window's own destruction must not reach a half-destroyed peer.
  Detach();
  window_.reset();
}

PeerWindow* PeerWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& peers = Peers();
  auto it = peers.find(hwnd);
  return it == peers.end() ? nullptr : it->second;
}

bool PeerWindow::CreateOwn(const char* className, const ClassLook& look, DWORD exStyle, const char* title, DWORD style,
                           const RECT& r, HWND parent, HMENU menuOrId) {
  if (!EnsureClass(className, look, &PeerWindow::OwnProc)) return false;
  // WM_NCCREATE attaches the window to this peer.
  return ::CreateWindowExA(exStyle, className, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           menuOrId, ::GetModuleHandleA(nullptr), this) != nullptr;
}

bool PeerWindow::CreateControl(const char* className, DWORD exStyle, const char* title, DWORD style, const RECT& r,
                               HWND parent, int id) {
  HWND h =
      ::CreateWindowExA(exStyle, className, title, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (!h) return false;
  Attach(h);
  // The control's messages come to ControlProc first. Replacing the window
  // procedure costs nothing per message, where the system's subclass list
  // looks itself up on every one.
  original_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PeerWindow::ControlProc)));
  if (!original_) {
    Detach();
    window_.reset();
    return false;
  }
  return true;
}

void PeerWindow::Attach(HWND hwnd) {
  window_.reset(hwnd);
  Peers()[hwnd] = this;
}

void PeerWindow::Detach() {
  HWND h = window_.get();
  Peers().erase(h);
  if (!original_) return;
  const auto ours = reinterpret_cast<LONG_PTR>(&PeerWindow::ControlProc);
  if (::GetWindowLongPtrA(h, GWLP_WNDPROC) == ours)
    ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  else
    ::SetPropA(h, kOriginalProcProperty, reinterpret_cast<HANDLE>(original_));
  original_ = nullptr;
}

LRESULT CALLBACK PeerWindow::OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    static_cast<PeerWindow*>(create->lpCreateParams)->Attach(hwnd);
  }
  PeerWindow* self = FromHandle(hwnd);
  if (!self) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK PeerWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (PeerWindow* self = FromHandle(hwnd)) return self->Dispatch(msg, wParam, lParam);
  auto original = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kOriginalProcProperty));
  if (msg == WM_NCDESTROY) ::RemovePropA(hwnd, kOriginalProcProperty);
  return original ? ::CallWindowProcA(original, hwnd, msg, wParam, lParam)
                  : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT PeerWindow::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    // Destroyed from outside (with its parent or owner): the peer lets go of the handle.
    const WNDPROC original = original_;
    HWND h = window_.get();
    Detach();
    window_.release();
    return original ? ::CallWindowProcA(original, h, msg, wParam, lParam) : ::DefWindowProcA(h, msg, wParam, lParam);
  }
  try {
    return HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    // An error must never unwind through the system's frames.
    context_.ReportError(e);
    return 0;
  }
}

LRESULT PeerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_NOTIFY: return OnNotify(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return OnChildColor(msg, wParam, lParam);
    default: return Default(msg, wParam, lParam);
  }
}

LRESULT PeerWindow::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (original_) return ::CallWindowProcA(original_, hwnd(), msg, wParam, lParam);
  return ::DefWindowProcA(hwnd(), msg, wParam, lParam);
}

LRESULT PeerWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  HWND child = reinterpret_cast<HWND>(lParam);
  if (!child) return OnMenuCommand(LOWORD(wParam), HIWORD(wParam), wParam, lParam);
  PeerWindow* peer = FromHandle(child);
  if (peer && peer != this) return peer->OnReflectedCommand(HIWORD(wParam), LOWORD(wParam));
  return Default(WM_COMMAND, wParam, lParam);
}

LRESULT PeerWindow::OnNotify(WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  PeerWindow* peer = FromHandle(header->hwndFrom);
  if (peer && peer != this) return peer->OnReflectedNotify(header);
  return Default(WM_NOTIFY, wParam, lParam);
}

LRESULT PeerWindow::OnChildColor(UINT msg, WPARAM wParam, LPARAM lParam) {
  PeerWindow* peer = FromHandle(reinterpret_cast<HWND>(lParam));
  if (peer && peer != this) {
    if (HBRUSH brush = peer->OnReflectedColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
  }
  return Default(msg, wParam, lParam);
}

LRESULT PeerWindow::OnMenuCommand(UINT, UINT, WPARAM wParam, LPARAM lParam) {
  return Default(WM_COMMAND, wParam, lParam);
}

LRESULT PeerWindow::OnReflectedCommand(UINT, UINT) { return 0; }
LRESULT PeerWindow::OnReflectedNotify(NMHDR*) { return 0; }
HBRUSH PeerWindow::OnReflectedColor(HDC) { return nullptr; }

}  // namespace nimbul::ui::win32
