#include "ui/controls.h"

#include "ui/form.h"

namespace nimbul::ui {

void Panel::Realign() { AlignChildren(Children(), Rect{0, 0, Width(), Height()}); }

Control* Splitter::SizedControl() const {
  Control* sized = nullptr;
  for (Control* c : Parent()->Children()) {
    if (c == this) break;
    if (c->Visible() && c->GetAlign() == GetAlign()) sized = c;
  }
  return sized;
}

void Splitter::UserDragged(int newWidth) {
  Control* sized = SizedControl();
  if (!sized) return;
  sized->SetWidth(newWidth < 0 ? 0 : newWidth);
  if (Form* f = OwnerForm()) f->Realign();
}

}  // namespace nimbul::ui
