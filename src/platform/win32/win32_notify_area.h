// The taskbar's notification area on the real system.
#pragma once
#include "platform/notify_area.h"

namespace nimbul::platform::win32 {

class Win32NotifyArea : public NotifyArea {
 public:
  std::unique_ptr<CallbackWindow> CreateCallbackWindow(Handler handler) override;
  bool Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) override;
  unsigned TaskbarCreatedMessage() override;
};

}  // namespace nimbul::platform::win32
