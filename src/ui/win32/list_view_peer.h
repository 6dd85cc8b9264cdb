// A list view of captioned icons and a static that shows one icon.
#pragma once
#include "ui/controls.h"
#include "ui/list_view.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/native_image_list.h"

namespace nimbul::ui::win32 {

class ListViewPeer : public ControlPeer {
 public:
  ListViewPeer(PeerContext& context, ListView& list);
  LRESULT OnReflectedNotify(NMHDR* header) override;

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  void Fill();
  void ApplySelection();

  ListView& list_;
  NativeImageList images_;
  bool applying_ = false;
};

class IconImagePeer : public ControlPeer {
 public:
  IconImagePeer(PeerContext& context, IconImage& image);

 protected:
  void OnChanged(Prop p, int index, int sub) override;

 private:
  IconImage& image_;
};

}  // namespace nimbul::ui::win32
