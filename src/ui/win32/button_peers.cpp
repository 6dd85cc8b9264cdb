#include "ui/win32/button_peers.h"

#include "ui/win32/native_image_list.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

DWORD ButtonStyle(const Button& button) {
  DWORD style = button.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (button.TabStop()) style |= WS_TABSTOP;
  if (button.Flat()) style |= BS_FLAT;
  // The picture alone shows; the caption stays the window text.
  if (button.GetGlyph() != Glyph::None && button.GetGlyphPlace() == GlyphPlace::InsteadOfCaption) style |= BS_ICON;
  return style;
}

// One picture of the strip as an icon of its own, masked where the strip is magenta.
HICON LoadGlyph(Glyph glyph) {
  ImageListHandle strip(::ImageList_LoadImageA(::GetModuleHandleA(nullptr), kGlyphResource, kGlyphSize, 0, kMaskColor,
                                               IMAGE_BITMAP, LR_CREATEDIBSECTION));
  if (!strip) return nullptr;
  return ::ImageList_GetIcon(strip.get(), static_cast<int>(glyph), ILD_NORMAL);
}

}  // namespace

ButtonPeer::ButtonPeer(PeerContext& context, Button& button) : ControlPeer(context, button), button_(button) {
  if (Create("BUTTON", ButtonStyle(button), 0, nullptr)) ApplyGlyph();
}

// A picture beside the caption comes from an image list of its own: a list of
// several images would be taken as one picture per button state.
void ButtonPeer::ApplyGlyph() {
  if (button_.GetGlyph() == Glyph::None) return;
  icon_.reset(LoadGlyph(button_.GetGlyph()));
  if (!icon_) return;
  if (button_.GetGlyphPlace() == GlyphPlace::InsteadOfCaption) {
    ::SendMessageA(hwnd(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.get()));
    return;
  }
  images_.reset(::ImageList_Create(kGlyphSize, kGlyphSize, ILC_COLOR32 | ILC_MASK, 1, 0));
  if (!images_ || ::ImageList_AddIcon(images_.get(), icon_.get()) < 0) return;
  BUTTON_IMAGELIST beside{images_.get(), RECT{2, 0, 2, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
  ::SendMessageA(hwnd(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&beside));
}

int ButtonPeer::ControlId() {
  if (button_.IsDefault()) return IDOK;
  if (button_.IsCancel()) return IDCANCEL;
  return ControlPeer::ControlId();
}

LRESULT ButtonPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == BN_CLICKED) button_.Click();
  return 0;
}

CheckBoxPeer::CheckBoxPeer(PeerContext& context, CheckBox& box) : ControlPeer(context, box), box_(box) {
  if (Create("BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, nullptr)) ApplyChecked();
}

// The box has flipped itself already; the model follows and raises its click.
LRESULT CheckBoxPeer::OnReflectedCommand(UINT code, UINT) {
  if (code == BN_CLICKED) box_.UserToggled();
  return 0;
}

HBRUSH CheckBoxPeer::OnReflectedColor(HDC dc) {
  ::SetBkMode(dc, TRANSPARENT);
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

void CheckBoxPeer::OnChanged(Prop p, int index, int sub) {
  if (p == Prop::Checked)
    ApplyChecked();
  else
    ControlPeer::OnChanged(p, index, sub);
}

void CheckBoxPeer::ApplyChecked() {
  ::SendMessageA(hwnd(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace nimbul::ui::win32
