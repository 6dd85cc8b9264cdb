#include "platform/win32/win32_color_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32/handle_ids.h"
#include "platform/win32/late_bound.h"

namespace nimbul::platform::win32 {

static_assert(sizeof(COLORREF) == sizeof(std::uint32_t), "custom colours are handed over in place");

bool Win32ColorDialogs::ChooseColorA(Hwnd owner, std::uint32_t* rgb, CustomColors* custom) {
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = FromId<HWND>(owner);
  dialog.rgbResult = *rgb;
  dialog.lpCustColors = reinterpret_cast<COLORREF*>(custom->data());
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR | CC_ANYCOLOR;
  static auto* const chooseColor = LateBound<decltype(::ChooseColorA)>("comdlg32.dll", "ChooseColorA");
  if (!chooseColor || !chooseColor(&dialog)) return false;
  *rgb = dialog.rgbResult & 0x00FFFFFFu;
  return true;
}

std::uint32_t Win32ColorDialogs::GetSysColor(int index) { return ::GetSysColor(index); }

}  // namespace nimbul::platform::win32
