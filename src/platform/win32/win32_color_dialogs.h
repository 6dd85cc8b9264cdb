// The colour dialog of the common dialogs library.
#pragma once
#include "platform/color_dialog.h"

namespace nimbul::platform::win32 {

class Win32ColorDialogs : public ColorDialogs {
 public:
  bool ChooseColorA(Hwnd owner, std::uint32_t* rgb, CustomColors* custom) override;
  std::uint32_t GetSysColor(int index) override;
};

}  // namespace nimbul::platform::win32
