// A string grid as a report-mode list view with virtual items: the texts are
// served from the model when the control asks, so a rebuild of any number of
// rows costs one item count, and another process can still read every item.
#pragma once
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "ui/string_grid.h"
#include "ui/win32/control_peer.h"
#include "ui/win32/ui_handles.h"

namespace nimbul::ui::win32 {

class GridPeer : public ControlPeer {
 public:
  GridPeer(Win32Backend& backend, StringGrid& grid);
  LRESULT OnReflectedNotify(NMHDR* header) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnChanged(Prop p, int index, int sub) override;

 private:
  LRESULT OnGetDispInfoA(NMLVDISPINFOA* info);
  LRESULT OnGetDispInfoW(NMLVDISPINFOW* info);
  LRESULT OnItemChanged(NMLISTVIEW* change);
  LRESULT OnDoubleClick(NMITEMACTIVATE* activate);
  LRESULT OnHeaderNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnReselect();

  // Changes of rows and selection reach the control at most once per
  // interval: under Wine each item-count, selection or scroll message of a
  // visible list view costs milliseconds, and a hide-all run would pay them
  // for every window.
  void Schedule();
  void ApplyPending();
  // Before the user's own mouse or key input: the control shows exactly the
  // model, so what the user clicks is what the handlers act on.
  void FlushPending();
  void ApplyRows();
  void ApplyHeader();
  void ApplyCell(int row);
  void ApplySelection();
  void ApplyColumnWidths();
  void ApplyColors();
  void ScrollToTop(int item);
  void SyncColumnWidths();
  int ItemCount() const;
  const std::string& CellOfItem(int item, int column) const;

  StringGrid& grid_;
  ImageListHandle rowHeight_;  // an empty image list whose height sets the rows'
  bool applying_ = false;      // the peer's own changes are no user input
  bool topDirty_ = false;
  // What the control shows now; a rebuild with the same header and count
  // then costs no header relayout (slow under Wine) but one repaint.
  int appliedCount_ = -1;
  std::vector<std::string> appliedHeader_;
  int appliedSelection_ = -1;
  bool rowsDirty_ = false;
  bool selectionDirty_ = false;
  bool timerPending_ = false;
  DWORD lastApply_ = 0;
};

}  // namespace nimbul::ui::win32
