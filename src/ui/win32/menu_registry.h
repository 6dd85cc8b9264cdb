// The live menu peers, each in a slot of its own: the slot fixes the range of
// the menu's command identifiers, so a command finds its menu. Also counts the
// menu loops open, since a menu bar must not be rebuilt under an open menu.
#pragma once
#include <vector>

namespace nimbul::ui::win32 {

class NativeMenu;

// Menus that can exist at once: each has its own range of command identifiers.
constexpr int kMaxMenus = 32;

class MenuRegistry {
 public:
  // The slot the menu gets, the lowest free one; -1 when all are taken.
  int Add(NativeMenu* m);
  void Remove(NativeMenu* m);
  // By slot; null marks a free slot.
  const std::vector<NativeMenu*>& Slots() const { return menus_; }

  bool InLoop() const { return loopDepth_ > 0; }
  void EnterLoop() { ++loopDepth_; }
  // True when no loop is open any more.
  bool ExitLoop();

 private:
  std::vector<NativeMenu*> menus_;
  int loopDepth_ = 0;
};

}  // namespace nimbul::ui::win32
