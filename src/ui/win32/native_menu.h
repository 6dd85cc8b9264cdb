// A menu model as a system menu: a form's menu bar or a popup menu. The
// HMENU is rebuilt lazily from the item tree, and the form's keyboard
// shortcuts come from the same tree through an accelerator table.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/menu.h"
#include "ui/win32/native_image_list.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

class FormPeer;
class MenuRegistry;
class PeerContext;

class NativeMenu : public MenuPeer {
 public:
  // `owner` receives the menu's messages; for a main menu it is the form whose bar it is.
  NativeMenu(PeerContext& context, Menu& menu, FormPeer* owner);
  ~NativeMenu() override;
  NativeMenu(const NativeMenu&) = delete;
  NativeMenu& operator=(const NativeMenu&) = delete;

  void MenuChanged() override;

  // The live menu that holds a menu handle (or one of its submenus), or whose
  // range a command identifier is in; null when none.
  static NativeMenu* Owning(const MenuRegistry& menus, HMENU h);
  static NativeMenu* OfCommand(const MenuRegistry& menus, UINT id);

  Menu& Model() const { return menu_; }
  bool IsBar() const { return bar_; }
  // The current menu, rebuilt first if the model changed.
  HMENU Handle();
  void EnsureBuilt();
  void OwnerGone(const FormPeer* owner);
  // The window the menu's messages go to.
  HWND OwnerWindow() const;

  // `h` is the menu itself or one of its submenus.
  bool Owns(HMENU h) const;
  // A submenu opens: its item's Click runs first, then the submenu shows the model's state.
  void OpenSubmenu(HMENU h);
  std::string HintOf(HMENU h, UINT itemOrIndex, UINT flags);

  bool OwnsCommand(UINT id) const;
  void Command(UINT id);
  HACCEL Accelerators();
  bool OwnsAccelerator(UINT id) const;
  void AcceleratorCommand(UINT id);

  bool MeasureImage(MEASUREITEMSTRUCT* item);
  bool DrawImage(DRAWITEMSTRUCT* item);

  // Opens a popup menu at a screen position, in the way the notification area needs.
  void Popup(int x, int y);

 private:
  void Fill(HMENU h, const MenuItem& parent);
  // The item's number, given on first use; command identifiers are made from it.
  int NumberOf(MenuItem& item);
  // The item behind a number, or null when it is no longer in the menu.
  MenuItem* ItemOfNumber(int number) const;
  MenuItem* ItemOfSubmenu(HMENU h) const;
  UINT CommandBase() const;

  PeerContext& context_;
  Menu& menu_;
  FormPeer* owner_;
  int slot_;
  bool bar_;
  MenuHandle handle_;
  AcceleratorHandle accelerators_;
  NativeImageList images_;
  // Items by number. An entry may outlive its item: every use checks that
  // the item is still in the tree.
  std::vector<MenuItem*> items_;
  std::map<const MenuItem*, int> numbers_;
  bool dirty_ = true;
  bool acceleratorsDirty_ = true;
};

}  // namespace nimbul::ui::win32
