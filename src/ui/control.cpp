#include "ui/control.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/form.h"

namespace nimbul::ui {

Control::Control(Control* parent, Kind kind, std::string name) : parent_(parent), kind_(kind), name_(std::move(name)) {
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  peer_.reset();
  if (parent_) {
    auto& c = parent_->children_;
    c.erase(std::remove(c.begin(), c.end(), this), c.end());
  }
}

Form* Control::OwnerForm() {
  Control* c = this;
  while (c->parent_) c = c->parent_;
  return c->kind_ == Kind::Form ? static_cast<Form*>(c) : nullptr;
}

Application& Control::App() { return OwnerForm()->FormApp(); }

void Control::SetBounds(int left, int top, int width, int height) {
  Rect r{left, top, width, height};
  if (r.left == bounds_.left && r.top == bounds_.top && r.width == bounds_.width && r.height == bounds_.height) return;
  bounds_ = r;
  Changed(Prop::Bounds);
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Changed(Prop::Visible);
  if (parent_) {
    if (Form* f = OwnerForm()) f->Realign();
  }
}

void Control::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  Changed(Prop::Enabled);
}

void Control::SetCaption(const std::string& c) {
  if (c == caption_) return;
  caption_ = c;
  Changed(Prop::Caption);
}

void Control::SetHint(const std::string& h) {
  hint_ = h;
  Changed(Prop::Hint);
}

bool Control::CanFocus() {
  for (Control* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void Control::SetFocus() {
  if (peer_) peer_->SetFocus();
}

bool Control::Focused() {
  Form* f = OwnerForm();
  return f && f->FormApp().GetBackend().FocusedControl() == this;
}

void Control::Raise(const std::function<void()>& handler) {
  if (!handler) return;
  Form* f = OwnerForm();
  if (f)
    f->FormApp().Guard(handler);
  else
    handler();
}

void Control::MouseMove() { Raise(OnMouseMove); }
void Control::Click() { Raise(OnClick); }
void Control::KeyPress(char key) {
  if (OnKeyPress) Raise([this, key] { OnKeyPress(key); });
}

}  // namespace nimbul::ui
