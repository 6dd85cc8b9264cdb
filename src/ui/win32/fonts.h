// The controls' font: "MS Sans Serif" 8 pt where the system has it, else the
// system's message font; and its underlined twin for link labels.
#pragma once
#include <windows.h>

#include <string>

#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

class Fonts {
 public:
  Fonts();
  HFONT Normal() const { return normal_.get(); }
  HFONT Link() const { return link_.get(); }
  // The face the system actually gave us.
  const std::string& Face() const { return face_; }

 private:
  FontHandle normal_;
  FontHandle link_;
  std::string face_;
};

}  // namespace nimbul::ui::win32
