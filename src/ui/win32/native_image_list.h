// A system image list made from an image list model: a bitmap strip from the
// program's resources, or the icons added at run time. Rebuilt when the
// model's contents change.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/image_list.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

// The strips' transparent colour.
constexpr COLORREF kMaskColor = RGB(255, 0, 255);

class NativeImageList {
 public:
  // Null when the model is null or its resource is missing.
  HIMAGELIST Get(const ImageList* model);

 private:
  const ImageList* model_ = nullptr;
  unsigned generation_ = 0;
  ImageListHandle list_;
};

}  // namespace nimbul::ui::win32
