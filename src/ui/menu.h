// Menu models: a tree of items, as a form's main menu or a popup menu.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/types.h"
#include "ui/image_list.h"
#include "ui/peer.h"
#include "ui/row_key.h"

namespace nimbul::ui {

// What an item acts on: a window, or an entry of a list model.
using MenuPayload = std::variant<std::monostate, platform::Hwnd, RowKey>;

class Menu;

class MenuItem {
 public:
  MenuItem(std::string name, std::string caption, std::string hint = "");
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) {
    caption_ = c;
    Changed();
  }
  bool IsSeparator() const { return caption_ == "-"; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }
  bool Checked() const { return checked_; }
  void SetChecked(bool c) {
    if (c != checked_) {
      checked_ = c;
      Changed();
    }
  }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e) {
    if (e != enabled_) {
      enabled_ = e;
      Changed();
    }
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) {
    if (v != visible_) {
      visible_ = v;
      Changed();
    }
  }
  bool IsDefault() const { return default_; }
  void SetDefault(bool d) {
    default_ = d;
    Changed();
  }
  int ImageIndex() const { return image_; }
  void SetImageIndex(int i) {
    image_ = i;
    Changed();
  }
  // A number the item carries for its handler.
  // What the entry acts on: a window, a position in a list, or nothing.
  const MenuPayload& Payload() const { return payload_; }
  void SetPayload(MenuPayload p) { payload_ = p; }
  // The shortcut value and the text shown beside the caption (empty: none).
  std::uint16_t ShortCut() const { return shortCut_; }
  const std::string& ShortCutText() const { return shortCutText_; }
  void SetShortCut(std::uint16_t value, const std::string& text) {
    shortCut_ = value;
    shortCutText_ = text;
    Changed();
  }

  // Children.
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem& operator[](int i) { return *items_.at(static_cast<size_t>(i)); }
  const MenuItem& operator[](int i) const { return *items_.at(static_cast<size_t>(i)); }
  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Add(std::string name, std::string caption, std::string hint = "");
  void Delete(int i);
  void Clear();
  MenuItem* Parent() const { return parent_; }
  // Depth-first search by name, this item included.
  MenuItem* Find(const std::string& name);

  // Raised when the user chooses the item (through the application's error handling).
  std::function<void(MenuItem&)> OnClick;
  void Click();

  void SetOwnerMenu(Menu* m);

 private:
  void Changed();
  std::string name_, caption_, hint_;
  bool checked_ = false, enabled_ = true, visible_ = true, default_ = false;
  int image_ = -1;
  MenuPayload payload_;
  std::uint16_t shortCut_ = 0;
  std::string shortCutText_;
  std::vector<std::unique_ptr<MenuItem>> items_;
  MenuItem* parent_ = nullptr;
  Menu* menu_ = nullptr;
};

class Application;

// A menu: its root item holds the top-level entries.
class Menu {
 public:
  Menu(Application& app, std::string name);
  virtual ~Menu() = default;
  Application& App() { return app_; }
  const std::string& Name() const { return name_; }
  MenuItem& Items() { return root_; }
  MenuItem* Find(const std::string& name) { return root_.Find(name); }
  ImageList* Images() const { return images_; }
  void SetImages(ImageList* i) {
    images_ = i;
    Notify();
  }
  void Notify() {
    if (peer_) peer_->MenuChanged();
  }
  void AttachPeer(std::unique_ptr<MenuPeer> p) { peer_ = std::move(p); }
  MenuPeer* GetPeer() const { return peer_.get(); }

 private:
  Application& app_;
  std::string name_;
  MenuItem root_;
  ImageList* images_ = nullptr;
  std::unique_ptr<MenuPeer> peer_;
};

class MainMenu : public Menu {
 public:
  using Menu::Menu;
};

class PopupMenu : public Menu {
 public:
  using Menu::Menu;
  // Raised just before the menu opens.
  std::function<void()> OnPopup;
  // Opens the menu at a screen position (through the backend).
  void Popup(int x, int y);
};

}  // namespace nimbul::ui
