// Pages with tabs on the common controls' tab control; the pages are panels
// laid into its display area.
#pragma once
#include "ui/controls.h"
#include "ui/win32/control_peer.h"

namespace nimbul::ui::win32 {

class PageControlPeer : public ControlPeer {
 public:
  PageControlPeer(PeerContext& context, PageControl& pages);
  LRESULT OnReflectedNotify(NMHDR* header) override;
  void PlaceChild(const Control& child, RECT* r) override;

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  void FillTabs();
  PageControl& pages_;
};

}  // namespace nimbul::ui::win32
