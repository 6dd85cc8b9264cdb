// The notification area of the taskbar: icons with a callback window.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/types.h"

namespace nimbul::platform {

// Shell_NotifyIconA messages and record flags.
constexpr unsigned kNimAdd = 0;
constexpr unsigned kNimModify = 1;
constexpr unsigned kNimDelete = 2;
constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

// The record the shell takes, in its first (88-byte) form.
struct NotifyIconRecord {
  std::uint32_t cbSize = 88;
  Hwnd hWnd{};
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  Hicon hIcon{};
  char szTip[64] = {};
};
static_assert(sizeof(NotifyIconRecord) == 88, "the shell's first record form is 88 bytes");

// A hidden top-level window that receives the shell's callbacks and its
// broadcasts; destroyed with its owner.
class CallbackWindow {
 public:
  virtual ~CallbackWindow() = default;
  virtual Hwnd Handle() const = 0;
};

class NotifyArea {
 public:
  // Returns true when the message was handled; `result` is then the answer.
  using Handler =
      std::function<bool(unsigned message, std::uint32_t wParam, std::uint32_t lParam, std::int32_t* result)>;
  virtual ~NotifyArea() = default;
  virtual std::unique_ptr<CallbackWindow> CreateCallbackWindow(Handler handler) = 0;
  // Returns the shell's answer.
  virtual bool Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) = 0;
  // The message the shell broadcasts when the taskbar is created again.
  virtual unsigned TaskbarCreatedMessage() = 0;
};

}  // namespace nimbul::platform
