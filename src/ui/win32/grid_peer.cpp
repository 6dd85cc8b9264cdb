#include "ui/win32/grid_peer.h"

#include <algorithm>

#include "ui/win32/colors.h"
#include "ui/win32/messages.h"

namespace nimbul::ui::win32 {

namespace {

constexpr DWORD kApplyIntervalMs = 150;
// How long rows stay put after a mouse button went down or up: long enough for
// the second click of a double-click to land on what the first one saw.
DWORD HoldMs() { return ::GetDoubleClickTime() + 50; }

constexpr DWORD kListStyle = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS;

// A guard for the peer's own changes to the control.
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~Applying() { flag_ = old_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  bool& flag_;
  bool old_;
};

bool IsHeaderSizing(UINT code) {
  switch (code) {
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW: return true;
    default: return false;
  }
}

}  // namespace

GridPeer::GridPeer(PeerContext& context, StringGrid& grid)
    : ControlPeer(context, grid), grid_(grid), limiter_(kApplyIntervalMs, [this] { ApplyPending(); }) {
  DWORD style = kListStyle | (grid.FixedRows() == 0 ? LVS_NOCOLUMNHEADER : 0u);
  if (!Create(WC_LISTVIEWA, style, WS_EX_CLIENTEDGE, "")) return;
  Applying guard(applying_);
  ::SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  rowHeight_.reset(::ImageList_Create(1, grid.DefaultRowHeight(), ILC_COLOR, 0, 1));
  if (rowHeight_) ::SendMessageA(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowHeight_.get()));
  for (int c = 0; c < grid.ColCount(); ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = grid.ColWidth(c);
    column.pszText = const_cast<char*>("");
    column.iSubItem = c;
    ::SendMessageA(hwnd(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
  ApplyColors();
  ApplyRows();
}

LRESULT GridPeer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY: return OnHeaderNotify(wParam, lParam);
    case kWmReselect: return OnReselect();
    // The activating click of an inactive window comes first as this; the
    // rebuild that the activation runs must not move the rows under it.
    case WM_MOUSEACTIVATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: return OnButton(true, msg, wParam, lParam);
    // The release after a double-click that has been acted on holds nothing.
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: return OnButton(false, msg, wParam, lParam);
    case WM_GETDLGCODE: return OnGetDlgCode(wParam, lParam);
    default: return ControlPeer::HandleMessage(msg, wParam, lParam);
  }
}

LRESULT GridPeer::OnReflectedNotify(NMHDR* header) {
  switch (header->code) {
    case LVN_GETDISPINFOA: return OnGetDispInfoA(reinterpret_cast<NMLVDISPINFOA*>(header));
    case LVN_GETDISPINFOW: return OnGetDispInfoW(reinterpret_cast<NMLVDISPINFOW*>(header));
    case LVN_ITEMCHANGED: return OnItemChanged(reinterpret_cast<NMLISTVIEW*>(header));
    case NM_DBLCLK: return OnDoubleClick(reinterpret_cast<NMITEMACTIVATE*>(header));
    case NM_RETURN: return OnReturn();
    default: return 0;
  }
}

void GridPeer::OnChanged(Prop p, int index, int) {
  switch (p) {
    case Prop::Rows:
      rowsDirty_ = true;
      Schedule();
      break;
    case Prop::Cell: ApplyCell(index); break;
    case Prop::Selection:
      selectionDirty_ = true;
      Schedule();
      break;
    case Prop::TopRow:
      topDirty_ = true;
      Schedule();
      break;
    case Prop::ColWidths: ApplyColumnWidths(); break;
    case Prop::Color: ApplyColors(); break;
    default: break;
  }
}

const std::string& GridPeer::CellOfItem(int item, int column) const {
  static const std::string kNone;
  if (item < 0 || item >= ItemCount()) return kNone;
  const auto& row = shown_[static_cast<size_t>(item)];
  return column >= 0 && column < static_cast<int>(row.size()) ? row[static_cast<size_t>(column)] : kNone;
}

int GridPeer::ItemOfRow(int row) const {
  const RowKey key = grid_.KeyOfRow(row);
  if (!key) {
    // Rows without keys are matched by their place while the counts agree.
    const int item = row - grid_.FixedRows();
    return rowsDirty_ || item < 0 || item >= ItemCount() ? -1 : item;
  }
  for (int i = 0; i < ItemCount(); ++i)
    if (shownKeys_[static_cast<size_t>(i)] == key) return i;
  return -1;
}

LRESULT GridPeer::OnGetDispInfoA(NMLVDISPINFOA* info) {
  LVITEMA& item = info->item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
    ::lstrcpynA(item.pszText, CellOfItem(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
  return 0;
}

// Titles are bytes in the system's code page, whichever form the control asks in.
LRESULT GridPeer::OnGetDispInfoW(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::string& text = CellOfItem(item.iItem, item.iSubItem);
    if (::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax) == 0)
      item.pszText[item.cchTextMax - 1] = L'\0';
  }
  return 0;
}

LRESULT GridPeer::OnItemChanged(NMLISTVIEW* change) {
  if (applying_ || !(change->uChanged & LVIF_STATE)) return 0;
  bool nowSelected = (change->uNewState & LVIS_SELECTED) != 0;
  bool wasSelected = (change->uOldState & LVIS_SELECTED) != 0;
  if (nowSelected && !wasSelected && change->iItem >= 0 && change->iItem < ItemCount()) {
    appliedSelection_ = change->iItem;  // the control shows it already
    // The user's choice is newer than any selection still waiting to be shown.
    selectionDirty_ = false;
    ReportChoice(change->iItem);
  } else if (wasSelected && !nowSelected) {
    // A grid always has a selected row: a click on empty space must not clear it.
    ::PostMessageA(hwnd(), kWmReselect, 0, 0);
  }
  return 0;
}

LRESULT GridPeer::OnReselect() {
  if (::SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == -1) {
    appliedSelection_ = -1;
    ApplySelection();
  }
  return 0;
}

void GridPeer::ReportChoice(int item) {
  const RowKey key = shownKeys_[static_cast<size_t>(item)];
  if (key)
    grid_.UserSelectedKey(key);
  else
    grid_.UserSelected(item + grid_.FixedRows());
}

void GridPeer::Activate(int item) {
  if (item >= 0 && item < ItemCount()) {
    appliedSelection_ = item;
    ReportChoice(item);
  }
  grid_.DblClick();
  // The gesture is over: what the double-click changed shows at once.
  gestureDone_ = true;
  holding_ = false;
  if (rowsDirty_ || selectionDirty_ || topDirty_) limiter_.PutOff(hwnd(), 1);
}

LRESULT GridPeer::OnButton(bool down, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (down) gestureDone_ = false;
  if (!gestureDone_) HoldRows();
  return ControlPeer::HandleMessage(msg, wParam, lParam);
}

LRESULT GridPeer::OnDoubleClick(NMITEMACTIVATE* activate) {
  LVHITTESTINFO hit{};
  hit.pt = activate->ptAction;
  ::SendMessageA(hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  Activate(hit.iItem);
  return 0;
}

// Enter reaches the list instead of the dialog manager.
LRESULT GridPeer::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = ControlPeer::HandleMessage(WM_GETDLGCODE, wParam, lParam);
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

// Enter on a list acts as a double-click on its selected row.
LRESULT GridPeer::OnReturn() {
  Activate(static_cast<int>(::SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
  return 0;
}

void GridPeer::HoldRows() {
  holding_ = true;
  holdUntil_ = ::GetTickCount() + HoldMs();
}

// Read once: a second reading a few milliseconds later could lie past the
// end of the hold, and the difference then wraps to a wait of weeks.
DWORD GridPeer::HoldLeft() const {
  const LONG left = static_cast<LONG>(holdUntil_ - ::GetTickCount());
  return holding_ && left > 0 ? static_cast<DWORD>(left) : 0;
}

// The header reports the user's column sizing to the list view, not to the form.
LRESULT GridPeer::OnHeaderNotify(WPARAM wParam, LPARAM lParam) {
  LRESULT result = Default(WM_NOTIFY, wParam, lParam);
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (IsHeaderSizing(header->code)) SyncColumnWidths();
  return result;
}

void GridPeer::SyncColumnWidths() {
  if (applying_) return;
  for (int c = 0; c < grid_.ColCount(); ++c) {
    int w = static_cast<int>(::SendMessageA(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    if (w != grid_.ColWidth(c)) grid_.UserSizedColumn(c, w);
  }
}

void GridPeer::Schedule() {
  if (const DWORD left = HoldLeft()) {
    limiter_.PutOff(hwnd(), left);
    return;
  }
  if (limiter_.Due(hwnd())) ApplyPending();
}

void GridPeer::ApplyPending() {
  if (const DWORD left = HoldLeft()) {
    limiter_.PutOff(hwnd(), left);
    return;
  }
  holding_ = false;
  const bool top = topDirty_;
  topDirty_ = false;
  if (rowsDirty_) {
    rowsDirty_ = selectionDirty_ = false;
    ApplyRows();
  } else if (selectionDirty_) {
    selectionDirty_ = false;
    ApplySelection();
  }
  // Asked for whatever the user scrolled to meanwhile: the control's own top
  // decides, not the last one the model asked for.
  if (top) {
    Applying guard(applying_);
    ScrollToTop(grid_.TopRow() - grid_.FixedRows());
  }
}

void GridPeer::ApplyRows() {
  Applying guard(applying_);
  ApplyHeader();
  const int fixed = grid_.FixedRows();
  shown_.clear();
  shownKeys_.clear();
  for (int r = fixed; r < grid_.RowCount(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < grid_.ColCount(); ++c) row.push_back(grid_.Cell(c, r));
    shown_.push_back(std::move(row));
    shownKeys_.push_back(grid_.KeyOfRow(r));
  }
  if (ItemCount() != appliedCount_) {
    appliedCount_ = ItemCount();
    // A virtual list keeps its selection across a new count, unless it now
    // lies past the end.
    if (appliedSelection_ >= appliedCount_) appliedSelection_ = -1;
    ::SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(appliedCount_), LVSICF_NOSCROLL);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ApplySelection();
}

// With a fixed row, row 0 is the header; without one the header is hidden and empty.
void GridPeer::ApplyHeader() {
  bool fixed = grid_.FixedRows() > 0;
  LONG style = ::GetWindowLongA(hwnd(), GWL_STYLE);
  LONG wanted = fixed ? (style & ~LVS_NOCOLUMNHEADER) : (style | LVS_NOCOLUMNHEADER);
  if (wanted != style) ::SetWindowLongA(hwnd(), GWL_STYLE, wanted);
  std::vector<std::string> header;
  for (int c = 0; c < grid_.ColCount(); ++c) header.push_back(fixed ? grid_.Cell(c, 0) : std::string());
  if (header == appliedHeader_) return;
  appliedHeader_ = header;
  for (int c = 0; c < grid_.ColCount(); ++c) {
    std::string& text = header[static_cast<size_t>(c)];
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    ::SendMessageA(hwnd(), LVM_SETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

void GridPeer::ApplyCell(int row) {
  if (row < grid_.FixedRows()) {
    Applying guard(applying_);
    ApplyHeader();
    return;
  }
  // A row the control does not show yet comes with the pending rows.
  const int item = ItemOfRow(row);
  if (item < 0) return;
  auto& shown = shown_[static_cast<size_t>(item)];
  for (int c = 0; c < grid_.ColCount() && c < static_cast<int>(shown.size()); ++c)
    shown[static_cast<size_t>(c)] = grid_.Cell(c, row);
  ::SendMessageA(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(item), static_cast<LPARAM>(item));
}

void GridPeer::ApplySelection() {
  Applying guard(applying_);
  int item = ItemOfRow(grid_.Row());
  bool moved = item != appliedSelection_;
  appliedSelection_ = item;
  if (moved && item >= 0 && item < ItemCount()) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    ::SendMessageA(hwnd(), LVM_SETSELECTIONMARK, 0, item);
  }
  if (moved && item >= 0 && item < ItemCount()) {
    ::SendMessageA(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
  }
}

void GridPeer::ScrollToTop(int item) {
  if (item < 0 || item >= ItemCount()) return;
  ::SendMessageA(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
  int top = static_cast<int>(::SendMessageA(hwnd(), LVM_GETTOPINDEX, 0, 0));
  if (top == item) return;
  RECT r{};
  r.left = LVIR_BOUNDS;
  if (!::SendMessageA(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r))) return;
  ::SendMessageA(hwnd(), LVM_SCROLL, 0, static_cast<LPARAM>((item - top) * (r.bottom - r.top)));
}

void GridPeer::ApplyColumnWidths() {
  Applying guard(applying_);
  for (int c = 0; c < grid_.ColCount(); ++c)
    ::SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), MAKELPARAM(grid_.ColWidth(c), 0));
}

void GridPeer::ApplyColors() {
  COLORREF back = ToColorRef(grid_.BackColor());
  ::SendMessageA(hwnd(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
  ::SendMessageA(hwnd(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
  ::SendMessageA(hwnd(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ToColorRef(grid_.FontColor())));
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

}  // namespace nimbul::ui::win32
