#include "ui/win32/menu_tree.h"

namespace nimbul::ui::win32 {

bool InTree(const MenuItem& root, const MenuItem* item) {
  if (&root == item) return true;
  for (int i = 0; i < root.Count(); ++i)
    if (InTree(root[i], item)) return true;
  return false;
}

bool VisibleInMenu(const MenuItem& item) {
  for (const MenuItem* m = &item; m && m->Parent(); m = m->Parent())
    if (!m->Visible()) return false;
  return true;
}

}  // namespace nimbul::ui::win32
