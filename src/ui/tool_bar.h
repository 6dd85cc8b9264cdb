// A flat tool bar with image buttons, separators and two-state buttons.
#pragma once
#include <string>

#include "ui/control.h"
#include "ui/image_list.h"

namespace nimbul::ui {

class PopupMenu;

enum class ButtonStyle { Button, Check, Separator };

class ToolButton : public Control {
 public:
  ToolButton(Control* parent, std::string name, ButtonStyle style = ButtonStyle::Button, int image = -1)
      : Control(parent, Kind::ToolButton, std::move(name)), style_(style), image_(image) {}
  ButtonStyle Style() const { return style_; }
  int ImageIndex() const { return image_; }
  bool Down() const { return down_; }
  void SetDown(bool d) {
    if (d != down_) {
      down_ = d;
      Changed(Prop::Checked);
    }
  }
  PopupMenu* DropdownMenu() const { return menu_; }
  void SetDropdownMenu(PopupMenu* m) { menu_ = m; }

 private:
  ButtonStyle style_;
  int image_;
  bool down_ = false;
  PopupMenu* menu_ = nullptr;
};

class ToolBar : public Control {
 public:
  ToolBar(Control* parent, std::string name) : Control(parent, Kind::ToolBar, std::move(name)) {}
  ImageList* Images() const { return images_; }
  void SetImages(ImageList* i) { images_ = i; }
  bool Flat() const { return flat_; }
  void SetFlat(bool f) { flat_ = f; }

 private:
  ImageList* images_ = nullptr;
  bool flat_ = true;
};

}  // namespace nimbul::ui
