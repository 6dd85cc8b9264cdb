// A list of captioned images; one item may be selected.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/image_list.h"

namespace nimbul::ui {

class ListView : public Control {
 public:
  struct Item {
    std::string caption;
    int image = -1;
  };

  ListView(Control* parent, std::string name) : Control(parent, Kind::ListView, std::move(name)) {}

  ImageList* Images() const { return images_; }
  void SetImages(ImageList* images) {
    images_ = images;
    Changed(Prop::Images);
  }
  int Count() const { return static_cast<int>(items_.size()); }
  const Item& At(int i) const { return items_.at(static_cast<size_t>(i)); }
  int Add(const std::string& caption, int image);

  // The selected item's index, -1 when none is.
  int Selected() const { return selected_; }
  // Selects an item (-1 or an index past the end: none); raises OnChange.
  void SetSelected(int i);

  std::function<void()> OnChange, OnDblClick;
  // The peer reports the user's selection and double-click.
  void UserSelected(int i) { SetSelected(i); }
  void UserDblClick() { Raise(OnDblClick); }

 private:
  ImageList* images_ = nullptr;
  std::vector<Item> items_;
  int selected_ = -1;
};

}  // namespace nimbul::ui
