// Forms that start hidden get their native windows when they are first
// needed: when shown, focused or asked for their window, or else when the
// message loop has nothing else to do. Until then each control and menu of
// such a form holds a stand-in peer; the real peers read the whole model
// when they are made, so the changes a stand-in ignores are not lost.
#pragma once
#include <memory>
#include <vector>

#include "ui/backend.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/peer.h"

namespace nimbul::ui::win32 {

class PeerContext;

class DeferredForms {
 public:
  // The peers are made in `context`; a menu's real peer comes from `backend`.
  DeferredForms(PeerContext& context, Backend& backend) : context_(context), backend_(backend) {}
  DeferredForms(const DeferredForms&) = delete;
  DeferredForms& operator=(const DeferredForms&) = delete;

  // A stand-in for a control of a form that waits for its windows (a form
  // other than the main one that is created hidden starts waiting), or null
  // when the control gets its real peer now.
  std::unique_ptr<Peer> StandIn(Control& c, bool mainForm);
  std::unique_ptr<MenuPeer> StandIn(Menu& m);

  // Makes the real peers of the waiting form that holds `c` (or `m`).
  // False when that form is not waiting (any more).
  bool Make(Control& c);
  bool MakeOwnerOf(const Menu& m);
  // Makes the form that has waited longest; false when none waits.
  bool MakeNext();
  bool Empty() const { return waiting_.empty(); }
  // The form goes before it got its windows.
  void Forget(const Form& f);

 private:
  struct Waiting {
    Form* form;
    std::vector<Control*> controls;  // in the order their peers were asked for
    std::vector<Menu*> menus;
  };
  Waiting* Find(const Form* f);
  void MakeNow(Waiting w);

  PeerContext& context_;
  Backend& backend_;
  std::vector<Waiting> waiting_;
};

}  // namespace nimbul::ui::win32
