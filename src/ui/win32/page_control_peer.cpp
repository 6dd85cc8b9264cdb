#include "ui/win32/page_control_peer.h"

namespace nimbul::ui::win32 {

PageControlPeer::PageControlPeer(PeerContext& context, PageControl& pages)
    : ControlPeer(context, pages), pages_(pages) {
  if (Create(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN | TCS_HOTTRACK, WS_EX_CONTROLPARENT, "")) FillTabs();
}

// The tabs are set once the pages exist; a page made later is added by its caption change.
void PageControlPeer::FillTabs() {
  TabCtrl_DeleteAllItems(hwnd());
  auto pages = pages_.Pages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(pages[i]->Caption().c_str());
    ::SendMessageA(hwnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  TabCtrl_SetCurSel(hwnd(), pages_.ActivePageIndex());
}

void PageControlPeer::PlaceChild(const Control&, RECT* r) {
  RECT area;
  ::GetClientRect(hwnd(), &area);
  TabCtrl_AdjustRect(hwnd(), FALSE, &area);
  *r = area;
}

LRESULT PageControlPeer::OnReflectedNotify(NMHDR* header) {
  if (header->code == TCN_SELCHANGE) pages_.UserSelected(TabCtrl_GetCurSel(hwnd()));
  return 0;
}

void PageControlPeer::OnChanged(Prop p, int index, int sub) {
  if (p == Prop::Selection) {
    if (static_cast<int>(TabCtrl_GetItemCount(hwnd())) != static_cast<int>(pages_.Pages().size())) FillTabs();
    TabCtrl_SetCurSel(hwnd(), pages_.ActivePageIndex());
    return;
  }
  ControlPeer::OnChanged(p, index, sub);
}

}  // namespace nimbul::ui::win32
