// The control kit's colour values on the system's colours.
#pragma once
#include <windows.h>

#include "ui/control.h"

namespace nimbul::ui::win32 {

constexpr Color kSystemColorFlag = 0x80000000u;

// 0x80000000 plus an index names a system colour; anything else is 0x00BBGGRR.
inline COLORREF ToColorRef(Color c) {
  if (c & kSystemColorFlag) return ::GetSysColor(static_cast<int>(c & 0xFFu));
  return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

}  // namespace nimbul::ui::win32
