#include "ui/list_view.h"

namespace nimbul::ui {

int ListView::Add(const std::string& caption, int image) {
  items_.push_back({caption, image});
  Changed(Prop::Items);
  return Count() - 1;
}

void ListView::SetSelected(int i) {
  if (i < 0 || i >= Count()) i = -1;
  if (i == selected_) return;
  selected_ = i;
  Changed(Prop::Selection);
  Raise(OnChange);
}

}  // namespace nimbul::ui
