#include "ui/win32/list_view_peer.h"

#include <commctrl.h>

#include "platform/win32/handle_ids.h"

namespace nimbul::ui::win32 {

ListViewPeer::ListViewPeer(PeerContext& context, ListView& list) : ControlPeer(context, list), list_(list) {
  if (!Create(WC_LISTVIEWA, WS_TABSTOP | WS_BORDER | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE,
              WS_EX_CLIENTEDGE, nullptr))
    return;
  // The item under the mouse is underlined and the cursor is the hand.
  ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_TWOCLICKACTIVATE | LVS_EX_UNDERLINEHOT);
  Fill();
}

void ListViewPeer::Fill() {
  applying_ = true;
  HIMAGELIST images = images_.Get(list_.Images());
  ListView_SetImageList(hwnd(), images, LVSIL_NORMAL);
  ListView_SetImageList(hwnd(), images, LVSIL_SMALL);
  ListView_DeleteAllItems(hwnd());
  for (int i = 0; i < list_.Count(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<char*>(list_.At(i).caption.c_str());
    item.iImage = list_.At(i).image;
    ::SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  applying_ = false;
  ApplySelection();
}

void ListViewPeer::ApplySelection() {
  applying_ = true;
  ListView_SetItemState(hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  int i = list_.Selected();
  if (i >= 0) {
    ListView_SetItemState(hwnd(), i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd(), i, FALSE);
  }
  applying_ = false;
}

void ListViewPeer::OnChanged(Prop p, int index, int sub) {
  switch (p) {
    case Prop::Items:
    case Prop::Images: Fill(); break;
    case Prop::Selection: ApplySelection(); break;
    default: ControlPeer::OnChanged(p, index, sub);
  }
}

LRESULT ListViewPeer::OnReflectedNotify(NMHDR* header) {
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (applying_ || !(change->uChanged & LVIF_STATE)) return 0;
      if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)
        list_.UserSelected(ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED));
      return 0;
    }
    case NM_DBLCLK:
    case NM_RETURN: list_.UserDblClick(); return 0;
    default: return 0;
  }
}

IconImagePeer::IconImagePeer(PeerContext& context, IconImage& image) : ControlPeer(context, image), image_(image) {
  if (Create("STATIC", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, 0, nullptr)) OnChanged(Prop::Images, -1, -1);
}

void IconImagePeer::OnChanged(Prop p, int index, int sub) {
  if (p != Prop::Images) {
    ControlPeer::OnChanged(p, index, sub);
    return;
  }
  ::SendMessageA(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(platform::win32::FromId<HICON>(image_.Icon())), 0);
}

}  // namespace nimbul::ui::win32
