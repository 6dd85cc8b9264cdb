// The notification-area icon: one icon of the program in the taskbar's
// notification area, with its tooltip, popup menu and mouse events.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/code_pages.h"
#include "platform/icons.h"
#include "platform/notify_area.h"
#include "ui/application.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace nimbul::shell {

enum class MouseButton { Left, Right, Middle };

// The message the shell sends to the icon's window (WM_USER + 1000), the one
// definition of it; the value is part of the program's contract with the shell.
constexpr unsigned kTrayCallbackMessage = 2024;

// Window messages the icon takes from the shell.
constexpr std::uint32_t kWmMouseMove = 0x200;
constexpr std::uint32_t kWmLButtonDown = 0x201;
constexpr std::uint32_t kWmLButtonUp = 0x202;
constexpr std::uint32_t kWmLButtonDblClk = 0x203;
constexpr std::uint32_t kWmRButtonDown = 0x204;
constexpr std::uint32_t kWmRButtonUp = 0x205;
constexpr std::uint32_t kWmRButtonDblClk = 0x206;
constexpr std::uint32_t kWmMButtonDown = 0x207;
constexpr std::uint32_t kWmMButtonUp = 0x208;
constexpr std::uint32_t kWmMButtonDblClk = 0x209;

class TNotifyIcon {
 public:
  using MouseEvent = std::function<void(TNotifyIcon& sender, MouseButton button)>;

  // `owner` is the form whose window takes the foreground for the popup menu.
  TNotifyIcon(ui::Application& app, ui::Form& owner);
  ~TNotifyIcon();
  TNotifyIcon(const TNotifyIcon&) = delete;
  TNotifyIcon& operator=(const TNotifyIcon&) = delete;

  // The icon shown; setting it keeps a copy of its own (a null icon: none).
  platform::Hicon icon() const { return icon_.get(); }
  void SetIcon(platform::Hicon icon);
  const std::string& tip() const { return tip_; }
  void SetTip(const std::string& tip);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);

  ui::PopupMenu* PopupMenu = nullptr;
  MouseEvent OnMouseUp, OnMouseDown, OnDblClick;
  std::function<void(TNotifyIcon& sender)> OnMouseMove;
  // Raised when the icon got into the notification area later than it was
  // asked to: at a retry, or in a restarted taskbar.
  std::function<void(TNotifyIcon& sender)> OnReAdded;

  // True while the shell shows the icon (it took the last add).
  bool Added() const { return iconAdded_; }
  std::uint32_t Id() const { return record_.uID; }
  platform::Hwnd WindowHandle() const { return record_.hWnd; }

 private:
  void UpdateTrayIcon();
  // Adds the icon the record describes; tries again later when the shell does not take it.
  void AddIcon();
  void RetryAdd();
  bool OnMessage(unsigned message, std::uint32_t wParam, std::uint32_t lParam, std::int32_t* result);
  void Callback(std::uint32_t mouseMessage);
  void Raise(const MouseEvent& e, MouseButton b);

  ui::Application& app_;
  ui::Form& owner_;
  platform::NotifyArea& area_;
  std::unique_ptr<platform::CallbackWindow> window_;
  platform::NotifyIconRecord record_;
  platform::IconOwner icon_;
  std::string tip_;
  bool visible_ = false;
  bool iconAdded_ = false;
  ui::Timer retry_;
  int retriesLeft_ = 0;
};

// The tooltip as the shell's 64-byte field takes it: at most 63 bytes and its
// NUL, cut between characters of the system's code page.
std::string TrayTipText(const std::string& tip, platform::CodePages& codePages);

}  // namespace nimbul::shell
