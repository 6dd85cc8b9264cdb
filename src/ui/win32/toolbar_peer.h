// The flat tool bar: image buttons, two-state buttons and separators, with
// child controls (the feedback link) placed after the buttons. Hints go to
// the application, not to tooltips.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/tool_bar.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/native_image_list.h"

namespace nimbul::ui::win32 {

class ToolBarPeer : public ControlPeer {
 public:
  ToolBarPeer(PeerContext& context, ToolBar& bar);

  void PlaceChild(const Control& child, RECT* r) override;
  LRESULT OnReflectedCommand(UINT code, UINT id) override;
  LRESULT OnReflectedNotify(NMHDR* header) override;

  // From the buttons' own peers.
  void ButtonChanged(const ToolButton& button, Prop p);
  void ButtonGone(const ToolButton& button);

 protected:
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnHotItemChange(NMTBHOTITEM* hot);
  LRESULT OnRightClick(NMMOUSE* mouse);
  void AddButtons();
  void PlaceChildren();
  ToolButton* ButtonOfCommand(UINT id) const;
  UINT CommandOf(const ToolButton& button) const;

  ToolBar& bar_;
  NativeImageList images_;
  // The buttons by command identifier (index + 1); null once a button is gone.
  std::vector<ToolButton*> buttons_;
};

// A tool button has no window of its own; its peer tells the tool bar.
class ToolButtonPeer : public Peer {
 public:
  ToolButtonPeer(PeerContext& context, ToolButton& button);
  ~ToolButtonPeer() override;
  void Changed(Prop p, int index, int sub) override;

 private:
  ToolBarPeer* Bar() const;
  PeerContext& context_;
  ToolButton& button_;
};

// The state bits of a button as the model has them.
BYTE ToolButtonState(const ToolButton& button);

}  // namespace nimbul::ui::win32
