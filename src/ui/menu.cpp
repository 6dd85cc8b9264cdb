#include "ui/menu.h"

#include "ui/application.h"

namespace nimbul::ui {

MenuItem::MenuItem(std::string name, std::string caption, std::string hint)
    : name_(std::move(name)), caption_(std::move(caption)), hint_(std::move(hint)) {}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  item->SetOwnerMenu(menu_);
  items_.push_back(std::move(item));
  Changed();
  return *items_.back();
}

MenuItem& MenuItem::Add(std::string name, std::string caption, std::string hint) {
  return Add(std::make_unique<MenuItem>(std::move(name), std::move(caption), std::move(hint)));
}

void MenuItem::Delete(int i) {
  if (i < 0 || i >= Count()) return;
  items_.erase(items_.begin() + i);
  Changed();
}

void MenuItem::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

MenuItem* MenuItem::Find(const std::string& name) {
  if (name_ == name) return this;
  for (auto& c : items_)
    if (MenuItem* f = c->Find(name)) return f;
  return nullptr;
}

void MenuItem::SetOwnerMenu(Menu* m) {
  menu_ = m;
  for (auto& c : items_) c->SetOwnerMenu(m);
}

void MenuItem::Changed() {
  if (menu_) menu_->Notify();
}

void MenuItem::Click() {
  if (!OnClick || !enabled_) return;
  auto run = [this] { OnClick(*this); };
  if (menu_)
    menu_->App().Guard(run);
  else
    run();
}

Menu::Menu(Application& app, std::string name) : app_(app), name_(std::move(name)), root_(name_, "") {
  root_.SetOwnerMenu(this);
}

void PopupMenu::Popup(int x, int y) {
  if (OnPopup) App().Guard(OnPopup);
  App().GetBackend().PopupMenuAt(*this, x, y);
}

}  // namespace nimbul::ui
