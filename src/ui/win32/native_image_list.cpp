#include "ui/win32/native_image_list.h"

#include "platform/win32/handle_ids.h"

namespace nimbul::ui::win32 {

namespace {

HIMAGELIST FromResource(const ImageList& model) {
  return ::ImageList_LoadImageA(::GetModuleHandleA(nullptr), model.ResourceName().c_str(), model.Width(), 0, kMaskColor,
                                IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

HIMAGELIST FromIcons(const ImageList& model) {
  int count = model.Count();
  HIMAGELIST list = ::ImageList_Create(model.Width(), model.Height(), ILC_COLOR32 | ILC_MASK, count, 4);
  if (!list) return nullptr;
  // Every index keeps its place, also behind an icon that is no longer valid.
  ::ImageList_SetImageCount(list, static_cast<UINT>(count));
  for (int i = 0; i < count; ++i) ::ImageList_ReplaceIcon(list, i, platform::win32::FromId<HICON>(model.Icon(i)));
  return list;
}

}  // namespace

HIMAGELIST NativeImageList::Get(const ImageList* model) {
  if (!model) return nullptr;
  if (model == model_ && model->Generation() == generation_) return list_.get();
  model_ = model;
  generation_ = model->Generation();
  list_.reset(model->ResourceName().empty() ? FromIcons(*model) : FromResource(*model));
  return list_.get();
}

}  // namespace nimbul::ui::win32
