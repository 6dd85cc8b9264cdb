// A thin bar between two aligned controls that the user drags to share the room.
#pragma once
#include "ui/controls.h"
#include "ui/win32/control_peer.h"

namespace nimbul::ui::win32 {

class SplitterPeer : public ControlPeer {
 public:
  SplitterPeer(PeerContext& context, Splitter& splitter);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonUp(WPARAM wParam, LPARAM lParam);
  LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

  Splitter& splitter_;
  bool dragging_ = false;
  int startX_ = 0;      // cursor position in screen coordinates at the press
  int startWidth_ = 0;  // width of the sized control at the press
};

}  // namespace nimbul::ui::win32
