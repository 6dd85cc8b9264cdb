// The system's colour dialog and the values of the system colours.
#pragma once
#include <array>
#include <cstdint>

#include "platform/types.h"

namespace nimbul::platform {

// The sixteen custom colours of the colour dialog (0x00BBGGRR each).
using CustomColors = std::array<std::uint32_t, 16>;

class ColorDialogs {
 public:
  virtual ~ColorDialogs() = default;
  // Shows the colour dialog with its custom-colour part open, solid colours
  // only, any colour allowed, preset with `*rgb` (0x00BBGGRR). True when the
  // user confirmed: `*rgb` then holds the choice. `custom` keeps the custom
  // colours from one opening to the next.
  virtual bool ChooseColorA(Hwnd owner, std::uint32_t* rgb, CustomColors* custom) = 0;
  // The current 0x00BBGGRR value of a system colour index.
  virtual std::uint32_t GetSysColor(int index) = 0;
};

}  // namespace nimbul::platform
