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

std::vector<TabSheet*> PageControl::Pages() const {
  std::vector<TabSheet*> pages;
  for (Control* c : Children())
    if (auto* page = dynamic_cast<TabSheet*>(c)) pages.push_back(page);
  return pages;
}

void PageControl::SetActivePageIndex(int index) {
  auto pages = Pages();
  if (index < 0 || index >= static_cast<int>(pages.size())) return;
  active_ = index;
  for (int i = 0; i < static_cast<int>(pages.size()); ++i) pages[static_cast<std::size_t>(i)]->SetVisible(i == index);
  Changed(Prop::Selection);
}

void PageControl::UserSelectsNext(bool forward) {
  const int count = static_cast<int>(Pages().size());
  if (count > 0) UserSelected((active_ + (forward ? 1 : count - 1)) % count);
}

void PageControl::UserSelected(int index) {
  if (index == active_) return;
  SetActivePageIndex(index);
  Raise(OnChange);
}

}  // namespace nimbul::ui
