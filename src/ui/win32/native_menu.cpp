#include "ui/win32/native_menu.h"

#include "ui/win32/form_peer.h"
#include "ui/win32/key_values.h"
#include "ui/win32/menu_tree.h"
#include "ui/win32/menu_registry.h"
#include "ui/win32/peer_context.h"

namespace nimbul::ui::win32 {

namespace {

// Command identifiers: each menu's slot has its own range; accelerators use a
// range no menu entry has, so translating one never opens a menu.
constexpr UINT kMenuIdBase = 0x1000;
constexpr UINT kSlotSize = 0x400;
constexpr UINT kAcceleratorBase = 0xA000;

bool ContainsMenu(HMENU root, HMENU h) {
  if (root == h) return true;
  int count = ::GetMenuItemCount(root);
  for (int i = 0; i < count; ++i) {
    HMENU sub = ::GetSubMenu(root, i);
    if (sub && ContainsMenu(sub, h)) return true;
  }
  return false;
}

void ClearMenu(HMENU h) {
  // Deleting an entry destroys its submenu with it.
  while (::GetMenuItemCount(h) > 0)
    if (!::DeleteMenu(h, 0, MF_BYPOSITION)) break;
}

std::string EntryText(const MenuItem& item) {
  if (item.ShortCutText().empty()) return item.Caption();
  return item.Caption() + "\t" + item.ShortCutText();
}

}  // namespace

NativeMenu::NativeMenu(PeerContext& context, Menu& menu, FormPeer* owner)
    : context_(context),
      menu_(menu),
      owner_(owner),
      slot_(context.Menus().Add(this)),
      bar_(owner && owner->Model().Menu() == &menu) {
  if (bar_) {
    EnsureBuilt();
    owner_->AttachMenuBar(this);
  }
}

NativeMenu::~NativeMenu() {
  context_.Menus().Remove(this);
  if (bar_ && owner_) {
    // Taking the bar off a live form would resize it while the form's own
    // members are being destroyed; the window keeps the menu and destroys it
    // with itself.
    owner_->DetachMenuBar(this);
    if (::IsWindow(owner_->hwnd()) && ::GetMenu(owner_->hwnd()) == handle_.get()) handle_.release();
  }
}

NativeMenu* NativeMenu::Owning(const MenuRegistry& menus, HMENU h) {
  for (NativeMenu* m : menus.Slots())
    if (m && m->Owns(h)) return m;
  return nullptr;
}

NativeMenu* NativeMenu::OfCommand(const MenuRegistry& menus, UINT id) {
  for (NativeMenu* m : menus.Slots())
    if (m && m->OwnsCommand(id)) return m;
  return nullptr;
}

void NativeMenu::MenuChanged() {
  dirty_ = true;
  acceleratorsDirty_ = true;
  if (bar_ && owner_) owner_->ScheduleMenuRebuild();
}

HMENU NativeMenu::Handle() {
  EnsureBuilt();
  return handle_.get();
}

void NativeMenu::EnsureBuilt() {
  if (!dirty_ && handle_) return;
  if (!handle_) handle_.reset(bar_ ? ::CreateMenu() : ::CreatePopupMenu());
  if (!handle_) return;
  // A full build numbers the items afresh.
  items_.clear();
  numbers_.clear();
  acceleratorsDirty_ = true;
  Fill(handle_.get(), menu_.Items());
  dirty_ = false;
}

void NativeMenu::OwnerGone(const FormPeer* owner) {
  if (owner_ != owner) return;
  owner_ = nullptr;
  bar_ = false;
}

HWND NativeMenu::OwnerWindow() const { return owner_ ? owner_->hwnd() : context_.AppWindowHandle(); }

bool NativeMenu::Owns(HMENU h) const { return h && handle_ && ContainsMenu(handle_.get(), h); }

void NativeMenu::OpenSubmenu(HMENU h) {
  MenuItem* item = ItemOfSubmenu(h);
  if (!item) return;
  item->Click();
  // The click may have changed what the submenu shows; the item may even be gone.
  if (InTree(menu_.Items(), item)) Fill(h, *item);
}

std::string NativeMenu::HintOf(HMENU h, UINT itemOrIndex, UINT flags) {
  MenuItem* item = nullptr;
  if (flags & MF_POPUP)
    item = ItemOfSubmenu(::GetSubMenu(h, static_cast<int>(itemOrIndex)));
  else if (OwnsCommand(itemOrIndex))
    item = ItemOfNumber(static_cast<int>(itemOrIndex - CommandBase()));
  return item ? item->Hint() : std::string();
}

bool NativeMenu::OwnsCommand(UINT id) const {
  return slot_ >= 0 && id >= CommandBase() && id < CommandBase() + kSlotSize;
}

void NativeMenu::Command(UINT id) {
  MenuItem* item = ItemOfNumber(static_cast<int>(id - CommandBase()));
  if (item && item->Count() == 0) item->Click();
}

HACCEL NativeMenu::Accelerators() {
  if (!acceleratorsDirty_) return accelerators_.get();
  acceleratorsDirty_ = false;
  std::vector<ACCEL> table;
  std::vector<MenuItem*> pending{&menu_.Items()};
  while (!pending.empty()) {
    MenuItem* item = pending.back();
    pending.pop_back();
    for (int i = 0; i < item->Count(); ++i) pending.push_back(&(*item)[i]);
    if (item->ShortCut() == 0 || item->Count() > 0) continue;
    int number = NumberOf(*item);
    if (number >= 0) table.push_back(AcceleratorFor(item->ShortCut(), static_cast<WORD>(kAcceleratorBase + number)));
  }
  accelerators_.reset(table.empty() ? nullptr
                                    : ::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
  return accelerators_.get();
}

bool NativeMenu::OwnsAccelerator(UINT id) const { return id >= kAcceleratorBase && id < kAcceleratorBase + kSlotSize; }

// A shortcut does what the entry would do, and only while the entry could be chosen.
void NativeMenu::AcceleratorCommand(UINT id) {
  MenuItem* item = ItemOfNumber(static_cast<int>(id - kAcceleratorBase));
  if (item && item->Count() == 0 && item->Enabled() && VisibleInMenu(*item)) item->Click();
}

bool NativeMenu::MeasureImage(MEASUREITEMSTRUCT* measure) {
  const ImageList* images = menu_.Images();
  if (!images) return false;
  measure->itemWidth = static_cast<UINT>(images->Width());
  measure->itemHeight = static_cast<UINT>(images->Height());
  return true;
}

bool NativeMenu::DrawImage(DRAWITEMSTRUCT* draw) {
  MenuItem* item = ItemOfNumber(static_cast<int>(draw->itemID - CommandBase()));
  const ImageList* images = menu_.Images();
  HIMAGELIST list = images_.Get(images);
  if (!item || !list || item->ImageIndex() < 0) return false;
  const RECT& r = draw->rcItem;
  int x = r.left + (r.right - r.left - images->Width()) / 2;
  int y = r.top + (r.bottom - r.top - images->Height()) / 2;
  return ::ImageList_Draw(list, item->ImageIndex(), draw->hDC, x, y, ILD_TRANSPARENT) != FALSE;
}

void NativeMenu::Popup(int x, int y) {
  HMENU h = Handle();
  HWND owner = OwnerWindow();
  if (!h || !owner) return;
  // Without the foreground the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(owner);
  ::TrackPopupMenu(h, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_HORNEGANIMATION | TPM_VERNEGANIMATION, x, y,
                   0, owner, nullptr);
  // Lets the menu close properly the next time (the notification area's known quirk).
  ::PostMessageA(owner, WM_NULL, 0, 0);
}

void NativeMenu::Fill(HMENU h, const MenuItem& parent) {
  ClearMenu(h);
  bool images = menu_.Images() != nullptr;
  UINT position = 0;
  for (int i = 0; i < parent.Count(); ++i) {
    // The tree is the model's own; the menu only reads it.
    MenuItem& item = const_cast<MenuItem&>(parent[i]);
    if (!item.Visible()) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    if (item.IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
      ::InsertMenuItemA(h, position++, TRUE, &info);
      continue;
    }
    int number = NumberOf(item);
    std::string text = EntryText(item);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = text.data();
    info.wID = number >= 0 ? CommandBase() + static_cast<UINT>(number) : 0;
    info.fState = (item.Checked() ? MFS_CHECKED : 0u) | (item.Enabled() ? 0u : MFS_GRAYED) |
                  (item.IsDefault() ? MFS_DEFAULT : 0u);
    if (item.Count() > 0) {
      HMENU sub = ::CreatePopupMenu();
      MENUINFO menuInfo{};
      menuInfo.cbSize = sizeof menuInfo;
      menuInfo.fMask = MIM_MENUDATA;
      menuInfo.dwMenuData = static_cast<ULONG_PTR>(number + 1);
      ::SetMenuInfo(sub, &menuInfo);
      Fill(sub, item);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = sub;
    }
    // Images only beside entries of a drop-down, never in the bar itself.
    if (images && item.ImageIndex() >= 0 && !(bar_ && &parent == &menu_.Items())) {
      info.fMask |= MIIM_BITMAP;
      info.hbmpItem = HBMMENU_CALLBACK;
    }
    ::InsertMenuItemA(h, position++, TRUE, &info);
  }
}

int NativeMenu::NumberOf(MenuItem& item) {
  auto it = numbers_.find(&item);
  if (it != numbers_.end()) {
    items_[static_cast<size_t>(it->second)] = &item;
    return it->second;
  }
  if (slot_ < 0 || items_.size() >= kSlotSize) return -1;
  int number = static_cast<int>(items_.size());
  items_.push_back(&item);
  numbers_[&item] = number;
  return number;
}

MenuItem* NativeMenu::ItemOfNumber(int number) const {
  if (number < 0 || number >= static_cast<int>(items_.size())) return nullptr;
  MenuItem* item = items_[static_cast<size_t>(number)];
  return InTree(menu_.Items(), item) ? item : nullptr;
}

MenuItem* NativeMenu::ItemOfSubmenu(HMENU h) const {
  if (!h) return nullptr;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  if (!::GetMenuInfo(h, &info) || info.dwMenuData == 0) return nullptr;
  return ItemOfNumber(static_cast<int>(info.dwMenuData) - 1);
}

UINT NativeMenu::CommandBase() const { return kMenuIdBase + static_cast<UINT>(slot_) * kSlotSize; }

}  // namespace nimbul::ui::win32
