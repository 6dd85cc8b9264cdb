#include "ui/win32/menu_registry.h"

#include <algorithm>

namespace nimbul::ui::win32 {

int MenuRegistry::Add(NativeMenu* m) {
  auto free = std::find(menus_.begin(), menus_.end(), nullptr);
  if (free != menus_.end()) {
    *free = m;
    return static_cast<int>(free - menus_.begin());
  }
  if (static_cast<int>(menus_.size()) >= kMaxMenus) return -1;
  menus_.push_back(m);
  return static_cast<int>(menus_.size()) - 1;
}

void MenuRegistry::Remove(NativeMenu* m) {
  std::replace(menus_.begin(), menus_.end(), m, static_cast<NativeMenu*>(nullptr));
}

bool MenuRegistry::ExitLoop() {
  if (loopDepth_ > 0) --loopDepth_;
  return loopDepth_ == 0;
}

}  // namespace nimbul::ui::win32
