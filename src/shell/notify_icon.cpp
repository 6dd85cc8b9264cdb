#include "shell/notify_icon.h"

#include <algorithm>
#include <cstring>

namespace nimbul::shell {

namespace {
// One counter for the process: the first icon gets 1.
std::uint32_t g_lastTrayIconId = 0;
// An add the shell did not take is tried again this often and this many
// times (about a minute, long enough for a slow start of the shell at
// logon), besides whenever the taskbar announces itself.
constexpr unsigned kAddRetryMs = 10000;
constexpr int kAddRetries = 6;
}  // namespace

std::string TrayTipText(const std::string& tip, platform::CodePages& codePages) {
  return platform::CutToWholeCharacters(tip, 63, codePages);
}

TNotifyIcon::TNotifyIcon(ui::Application& app, ui::Form& owner)
    : app_(app), owner_(owner), area_(app.Sys().notifyArea), retry_(app, kAddRetryMs, false) {
  retry_.OnTimer = [this] { RetryAdd(); };
  record_.uID = ++g_lastTrayIconId;
  record_.uCallbackMessage = kTrayCallbackMessage;
  record_.cbSize = sizeof record_;
  window_ =
      area_.CreateCallbackWindow([this](unsigned message, std::uint32_t wParam, std::uint32_t lParam,
                                        std::int32_t* result) { return OnMessage(message, wParam, lParam, result); });
  record_.hWnd = window_ ? window_->Handle() : platform::Hwnd{};
}

TNotifyIcon::~TNotifyIcon() {
  record_.uFlags = 0;
  area_.Shell_NotifyIconA(platform::kNimDelete, record_);
}

void TNotifyIcon::SetIcon(platform::Hicon icon) {
  icon_ = app_.Sys().icons.Copy(icon);
  UpdateTrayIcon();
}

void TNotifyIcon::SetTip(const std::string& tip) {
  tip_ = tip;
  UpdateTrayIcon();
}

void TNotifyIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    UpdateTrayIcon();
  } else {
    retry_.SetEnabled(false);
    record_.uFlags = 0;
    area_.Shell_NotifyIconA(platform::kNimDelete, record_);
    iconAdded_ = false;
  }
}

void TNotifyIcon::UpdateTrayIcon() {
  if (!visible_) return;
  record_.uFlags = platform::kNifMessage;
  if (icon_) record_.uFlags |= platform::kNifIcon;
  if (!tip_.empty()) record_.uFlags |= platform::kNifTip;
  record_.hIcon = icon_.get();
  std::memset(record_.szTip, 0, sizeof record_.szTip);
  // A longer tip is cut, so the field always ends in its NUL.
  std::string tip = TrayTipText(tip_, app_.Sys().codePages);
  std::memcpy(record_.szTip, tip.data(), tip.size());
  if (iconAdded_)
    area_.Shell_NotifyIconA(platform::kNimModify, record_);
  else
    AddIcon();
}

void TNotifyIcon::AddIcon() {
  // At logon the shell may time out on an add and show the icon all the
  // same; another add would then fail for good, a modify finds it.
  iconAdded_ =
      area_.Shell_NotifyIconA(platform::kNimAdd, record_) || area_.Shell_NotifyIconA(platform::kNimModify, record_);
  if (iconAdded_) {
    retry_.SetEnabled(false);
  } else if (!retry_.Enabled()) {
    // No taskbar yet, or one too busy to answer: tried again for a while,
    // at the next change, and when the taskbar announces itself.
    retriesLeft_ = kAddRetries;
    retry_.SetEnabled(true);
  }
}

void TNotifyIcon::RetryAdd() {
  if (!visible_ || iconAdded_ || retriesLeft_ <= 0) {
    retry_.SetEnabled(false);
    return;
  }
  UpdateTrayIcon();
  if (iconAdded_) {
    if (OnReAdded) app_.Guard([this] { OnReAdded(*this); });
  } else if (--retriesLeft_ == 0) {
    retry_.SetEnabled(false);
  }
}

bool TNotifyIcon::OnMessage(unsigned message, std::uint32_t wParam, std::uint32_t lParam, std::int32_t* result) {
  if (message == area_.TaskbarCreatedMessage()) {
    // A new taskbar shows none of the old icons.
    iconAdded_ = false;
    if (visible_) {
      UpdateTrayIcon();
      if (iconAdded_ && OnReAdded) app_.Guard([this] { OnReAdded(*this); });
    }
    return false;
  }
  if (message != kTrayCallbackMessage || wParam != record_.uID) return false;
  Callback(lParam);
  *result = 1;
  return true;
}

void TNotifyIcon::Raise(const MouseEvent& e, MouseButton b) {
  if (e) app_.Guard([&] { e(*this, b); });
}

void TNotifyIcon::Callback(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case kWmRButtonUp:
      if (PopupMenu) {
        app_.Sys().wm.SetForegroundWindow(owner_.Handle());
        int x = 0, y = 0;
        app_.GetBackend().CursorPos(&x, &y);
        app_.Guard([&] { PopupMenu->Popup(x, y); });
      } else {
        Raise(OnMouseUp, MouseButton::Right);
      }
      break;
    case kWmMouseMove:
      if (OnMouseMove) app_.Guard([this] { OnMouseMove(*this); });
      break;
    case kWmLButtonDown: Raise(OnMouseDown, MouseButton::Left); break;
    case kWmRButtonDown: Raise(OnMouseDown, MouseButton::Right); break;
    case kWmMButtonDown: Raise(OnMouseDown, MouseButton::Middle); break;
    case kWmLButtonUp: Raise(OnMouseUp, MouseButton::Left); break;
    case kWmMButtonUp: Raise(OnMouseUp, MouseButton::Middle); break;
    case kWmLButtonDblClk: Raise(OnDblClick, MouseButton::Left); break;
    case kWmRButtonDblClk: Raise(OnDblClick, MouseButton::Right); break;
    case kWmMButtonDblClk: Raise(OnDblClick, MouseButton::Middle); break;
    default: break;
  }
}

}  // namespace nimbul::shell
