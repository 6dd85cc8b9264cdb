#include "ui/win32/splitter_peer.h"

namespace nimbul::ui::win32 {

namespace {
constexpr char kSplitterClass[] = "TSplitter";
}  // namespace

SplitterPeer::SplitterPeer(PeerContext& context, Splitter& splitter)
    : ControlPeer(context, splitter), splitter_(splitter) {
  ClassLook look;
  look.cursor = IDC_SIZEWE;
  CreateOwnWindow(kSplitterClass, look, 0, 0);
}

LRESULT SplitterPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: return OnButtonDown(wParam, lParam);
    case WM_LBUTTONUP: return OnButtonUp(wParam, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

namespace {
// Where the message says the mouse was, on the screen: the cursor may have
// moved on since the message was posted.
POINT ScreenPointOf(HWND hwnd, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ::ClientToScreen(hwnd, &p);
  return p;
}
}  // namespace

LRESULT SplitterPeer::OnButtonDown(WPARAM, LPARAM lParam) {
  Control* sized = splitter_.SizedControl();
  if (!sized) return 0;
  const POINT p = ScreenPointOf(hwnd(), lParam);
  startX_ = p.x;
  startWidth_ = sized->Width();
  dragging_ = true;
  ::SetCapture(hwnd());
  return 0;
}

// The lists follow the mouse while it is dragged.
LRESULT SplitterPeer::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!dragging_) return ControlPeer::OnMouseMove(wParam, lParam);
  const POINT p = ScreenPointOf(hwnd(), lParam);
  int delta = p.x - startX_;
  splitter_.UserDragged(splitter_.GetAlign() == Align::Right ? startWidth_ - delta : startWidth_ + delta);
  return 0;
}

LRESULT SplitterPeer::OnButtonUp(WPARAM, LPARAM) {
  if (dragging_) ::ReleaseCapture();
  return 0;
}

LRESULT SplitterPeer::OnCaptureChanged(WPARAM, LPARAM) {
  dragging_ = false;
  return 0;
}

}  // namespace nimbul::ui::win32
