#include "ui/form.h"

#include "ui/application.h"
#include "ui/controls.h"

namespace nimbul::ui {

Form::Form(Application& app, std::string name) : Control(nullptr, Kind::Form, std::move(name)), app_(app) {
  Control::SetVisible(false);
}

// The menus are members of the derived form and are gone by now; their
// peers went with them.
Form::~Form() { DetachPeer(); }

void Form::SetClientSize(int w, int h) {
  clientWidth_ = w;
  clientHeight_ = h;
  Changed(Prop::Bounds);
  Realign();
}

void Form::SetVisible(bool v) {
  if (v == Visible()) return;
  if (v) {
    Raise(OnShow);
    Control::SetVisible(true);
  } else {
    Control::SetVisible(false);
    Raise(OnHide);
  }
}

void Form::Show() { SetVisible(true); }
void Form::Hide() { SetVisible(false); }

void Form::Close() {
  if (closing_) return;
  closing_ = true;
  Raise(OnClose);
  Hide();
  closing_ = false;
  if (app_.MainForm() == this) app_.Terminate();
}

bool Form::IsActive() {
  Control* focused = app_.GetBackend().FocusedControl();
  return focused && focused->OwnerForm() == this && app_.Active();
}

void Form::SystemResized(int outerW, int outerH, int clientW, int clientH) {
  bool changed = outerW != Width() || outerH != Height() || clientW != clientWidth_ || clientH != clientHeight_;
  SetBounds(Left(), Top(), outerW, outerH);
  clientWidth_ = clientW;
  clientHeight_ = clientH;
  Realign();
  if (changed) Raise(OnResize);
}

void Form::SystemActivated() { Raise(OnActivate); }
void Form::SystemDeactivated() { Raise(OnDeactivate); }
void Form::SystemZOrderChanged() { Raise(OnZOrderChange); }

void Form::Realign() { AlignChildren(Children(), Rect{0, 0, clientWidth_, clientHeight_}); }

void Form::DoCreate() { Raise(OnCreate); }

void AlignChildren(const std::vector<Control*>& children, Rect area) {
  int top = area.top, bottom = area.top + area.height;
  int left = area.left, right = area.left + area.width;
  auto place = [](Control* c, int l, int t, int w, int h) {
    c->SetBounds(l, t, w < 0 ? 0 : w, h < 0 ? 0 : h);
    if (c->GetKind() == Kind::Panel) static_cast<Panel*>(c)->Realign();
  };
  for (Control* c : children)
    if (c->Visible() && c->GetAlign() == Align::Top) {
      place(c, left, top, right - left, c->Height());
      top += c->Height();
    }
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* c = *it;
    if (c->Visible() && c->GetAlign() == Align::Bottom) {
      bottom -= c->Height();
      place(c, left, bottom, right - left, c->Height());
    }
  }
  for (Control* c : children)
    if (c->Visible() && c->GetAlign() == Align::Left) {
      place(c, left, top, c->Width(), bottom - top);
      left += c->Width();
    }
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control* c = *it;
    if (c->Visible() && c->GetAlign() == Align::Right) {
      right -= c->Width();
      place(c, right, top, c->Width(), bottom - top);
    }
  }
  for (Control* c : children)
    if (c->Visible() && c->GetAlign() == Align::Client) place(c, left, top, right - left, bottom - top);
}

}  // namespace nimbul::ui
