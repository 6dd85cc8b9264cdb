#include "ui/win32/deferred_forms.h"

#include <algorithm>
#include <utility>

#include "ui/win32/peer_factory.h"

namespace nimbul::ui::win32 {

namespace {

// What a real peer made late is told once more, in case its constructor
// reads only what a freshly built model can hold. Geometry and visibility it
// takes from the model when its window is created.
constexpr Prop kReplayed[] = {Prop::Caption,   Prop::Enabled,   Prop::Color,   Prop::Hint,   Prop::Rows,
                              Prop::ColWidths, Prop::Selection, Prop::Checked, Prop::Images, Prop::Text,
                              Prop::Items,     Prop::Style,     Prop::Position};

// Each member reads its control or form before calling Make: a successful
// Make replaces, and so destroys, the stand-in itself.
class StandInPeer : public Peer {
 public:
  StandInPeer(DeferredForms& forms, Control& c) : forms_(forms), control_(c) {}
  ~StandInPeer() override {
    if (control_.GetKind() == Kind::Form) forms_.Forget(static_cast<Form&>(control_));
  }

  void Changed(Prop p, int index, int sub) override {
    if (p != Prop::Visible || control_.GetKind() != Kind::Form || !control_.Visible()) return;
    Control& c = control_;
    if (forms_.Make(c)) c.GetPeer()->Changed(p, index, sub);
  }
  platform::Hwnd Handle() const override {
    Control& c = control_;
    return forms_.Make(c) ? c.Handle() : platform::Hwnd{};
  }
  void SetFocus() override {
    Control& c = control_;
    if (forms_.Make(c)) c.SetFocus();
  }

 private:
  DeferredForms& forms_;
  Control& control_;
};

class StandInMenuPeer : public MenuPeer {
 public:
  void MenuChanged() override {}
};

}  // namespace

std::unique_ptr<Peer> DeferredForms::StandIn(Control& c, bool mainForm) {
  if (c.GetKind() == Kind::Form) {
    auto& form = static_cast<Form&>(c);
    if (mainForm || form.Visible()) return nullptr;
    waiting_.push_back(Waiting{&form, {&c}, {}});
  } else if (Waiting* w = Find(c.OwnerForm())) {
    w->controls.push_back(&c);
  } else {
    return nullptr;
  }
  return std::make_unique<StandInPeer>(*this, c);
}

std::unique_ptr<MenuPeer> DeferredForms::StandIn(Menu& m) {
  for (Waiting& w : waiting_) {
    const auto& menus = w.form->Menus();
    if (std::find(menus.begin(), menus.end(), &m) == menus.end()) continue;
    w.menus.push_back(&m);
    return std::make_unique<StandInMenuPeer>();
  }
  return nullptr;
}

DeferredForms::Waiting* DeferredForms::Find(const Form* f) {
  auto it = std::find_if(waiting_.begin(), waiting_.end(), [f](const Waiting& w) { return w.form == f; });
  return it == waiting_.end() ? nullptr : &*it;
}

bool DeferredForms::Make(Control& c) {
  const Form* f = c.OwnerForm();
  auto it = std::find_if(waiting_.begin(), waiting_.end(), [f](const Waiting& w) { return w.form == f; });
  if (it == waiting_.end()) return false;
  Waiting w = std::move(*it);
  waiting_.erase(it);
  MakeNow(std::move(w));
  return true;
}

bool DeferredForms::MakeOwnerOf(const Menu& m) {
  for (Waiting& w : waiting_) {
    if (std::find(w.menus.begin(), w.menus.end(), &m) != w.menus.end()) return Make(*w.form);
  }
  return false;
}

bool DeferredForms::MakeNext() {
  if (waiting_.empty()) return false;
  return Make(*waiting_.front().form);
}

void DeferredForms::Forget(const Form& f) {
  waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(), [&f](const Waiting& w) { return w.form == &f; }),
                 waiting_.end());
}

// In the order the application asked for them: the form, its menus, which
// find the form's window, then its controls parent before child. The form
// waits no longer, so a stand-in asked meanwhile (a later sibling's window,
// which does not exist yet) answers as a control without a peer.
void DeferredForms::MakeNow(Waiting w) {
  w.controls.front()->AttachPeer(MakePeer(context_, *w.controls.front()));
  for (Menu* m : w.menus) m->AttachPeer(backend_.CreateMenuPeer(*m));
  for (std::size_t i = 1; i < w.controls.size(); ++i) w.controls[i]->AttachPeer(MakePeer(context_, *w.controls[i]));
  for (Control* c : w.controls) {
    if (Peer* p = c->GetPeer())
      for (Prop prop : kReplayed) p->Changed(prop);
  }
}

}  // namespace nimbul::ui::win32
