// Walks over a menu model's item tree.
#pragma once
#include "ui/menu.h"

namespace nimbul::ui::win32 {

// True when `item` is `root` or one of its descendants. Compares addresses
// only, so it is safe for a pointer whose item may be gone.
bool InTree(const MenuItem& root, const MenuItem* item);

// Shown in the menu: the item and every ancestor below the root are visible.
bool VisibleInMenu(const MenuItem& item);

}  // namespace nimbul::ui::win32
