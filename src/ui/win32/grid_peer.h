// A string grid as a report-mode list view with virtual items: the texts are
// served when the control asks, so a rebuild of any number of rows costs one
// item count, and another process can still read every item.
//
// The control draws the rows as they were last applied (a copy of the model's
// rows and their keys), not the model as it is now: model changes reach the
// control a little later, and never while the user is clicking it. Whatever
// the user clicks or selects is reported as the key of the row the control
// showed, so a rebuild in between can never turn a click into another entry.
#pragma once
#include <string>
#include <vector>

#include "ui/win32/burst_limiter.h"
#include <windows.h>
#include <commctrl.h>

#include "ui/string_grid.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

class GridPeer : public ControlPeer {
 public:
  GridPeer(PeerContext& context, StringGrid& grid);
  LRESULT OnReflectedNotify(NMHDR* header) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnGetDispInfoA(NMLVDISPINFOA* info);
  LRESULT OnGetDispInfoW(NMLVDISPINFOW* info);
  LRESULT OnItemChanged(NMLISTVIEW* change);
  LRESULT OnDoubleClick(NMITEMACTIVATE* activate);
  LRESULT OnReturn();
  LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
  // The user chose the shown item: the model hears its key, then the double-click.
  void ReportChoice(int item);
  void Activate(int item);
  // Mouse input on its way: the rows stay as they are until the gesture is over.
  void HoldRows();
  LRESULT OnButton(bool down, UINT msg, WPARAM wParam, LPARAM lParam);
  // How long the rows are still held (0: not held).
  DWORD HoldLeft() const;
  LRESULT OnHeaderNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnReselect();

  // Changes of rows and selection reach the control at most once per
  // interval: under Wine each item-count, selection or scroll message of a
  // visible list view costs milliseconds, and a hide-all run would pay them
  // for every window.
  void Schedule();
  void ApplyPending();
  void ApplyRows();
  void ApplyHeader();
  void ApplyCell(int row);
  void ApplySelection();
  void ApplyColumnWidths();
  void ApplyColors();
  void ScrollToTop(int item);
  void SyncColumnWidths();
  int ItemCount() const { return static_cast<int>(shown_.size()); }
  const std::string& CellOfItem(int item, int column) const;
  // The shown item of a model row, or -1 while the control does not show it.
  int ItemOfRow(int row) const;

  StringGrid& grid_;
  ImageListHandle rowHeight_;  // an empty image list whose height sets the rows'
  bool applying_ = false;      // the peer's own changes are no user input
  bool topDirty_ = false;
  // What the control shows now; a rebuild with the same header and count
  // then costs no header relayout (slow under Wine) but one repaint.
  int appliedCount_ = -1;
  std::vector<std::string> appliedHeader_;
  int appliedSelection_ = -1;
  // The rows below the header as the control shows them, and their keys.
  std::vector<std::vector<std::string>> shown_;
  std::vector<RowKey> shownKeys_;
  bool rowsDirty_ = false;
  bool selectionDirty_ = false;
  BurstLimiter limiter_;
  DWORD holdUntil_ = 0;
  bool holding_ = false;
  bool gestureDone_ = false;  // a double-click or Enter has been acted on
};

}  // namespace nimbul::ui::win32
