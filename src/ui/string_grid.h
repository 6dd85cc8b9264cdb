// A grid of text cells with an optional fixed header row and one selected row.
#pragma once
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/row_key.h"

namespace nimbul::ui {

class StringGrid : public Control {
 public:
  StringGrid(Control* parent, std::string name, int colCount = 2);

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // Rows beyond the new count are dropped; new rows are blank. At least one row stays.
  void SetRowCount(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  // Replaces the whole contents at once (one notification for the peer).
  // `keys`, one per row when given, name the entries the rows show.
  void SetAll(std::vector<std::vector<std::string>> rows, int fixedRows, int selectedRow,
              std::vector<RowKey> keys = {});
  // The key of a row, or none.
  RowKey KeyOfRow(int row) const;

  // The selected row (a row index, counting the fixed row).
  int Row() const { return row_; }
  void SetRow(int r);
  int TopRow() const { return topRow_; }
  void SetTopRow(int r) {
    topRow_ = r;
    Changed(Prop::TopRow);
  }

  int ColWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }
  void SetColWidth(int col, int w);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int h) { rowHeight_ = h; }
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int w) { gridLineWidth_ = w; }

  Color BackColor() const { return color_; }
  Color FontColor() const { return fontColor_; }
  void SetColors(Color back, Color font) {
    color_ = back;
    fontColor_ = font;
    Changed(Prop::Color);
  }

  // Raised by the peer: a double-click on a row, or Enter (the row is chosen first).
  std::function<void()> OnDblClick;
  void DblClick();
  // The user chose the row that showed `key` on screen: the view may already
  // draw other rows there, so the key, not a row index, says which entry.
  std::function<void(RowKey)> OnUserSelect;
  void UserSelectedKey(RowKey key);
  // The user selected a row of the grid as it stands (a grid without keys, and tests).
  void UserSelected(int row);
  // The user resized a column.
  void UserSizedColumn(int col, int w) { colWidths_.at(static_cast<size_t>(col)) = w; }

 private:
  int colCount_;
  std::vector<std::vector<std::string>> cells_;
  std::vector<RowKey> keys_;  // one per row, or none
  int fixedRows_ = 0;
  int row_ = 0;
  int topRow_ = 0;
  std::vector<int> colWidths_;
  int rowHeight_ = 24;
  int gridLineWidth_ = 1;
  Color color_ = kClWindow;
  Color fontColor_ = kClWindowText;
};

}  // namespace nimbul::ui
