#include "ui/string_grid.h"

#include <algorithm>

namespace nimbul::ui {

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(Control* parent, std::string name, int colCount)
    : Control(parent, Kind::StringGrid, std::move(name)),
      colCount_(colCount),
      cells_(1, std::vector<std::string>(static_cast<size_t>(colCount))),
      colWidths_(static_cast<size_t>(colCount), 64) {}

void StringGrid::SetRowCount(int n) {
  n = std::max(n, 1);
  if (n == RowCount()) return;
  cells_.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(colCount_)));
  if (!keys_.empty()) keys_.resize(cells_.size());
  if (fixedRows_ >= n) fixedRows_ = n - 1;
  if (row_ >= n) row_ = n - 1;
  if (row_ < fixedRows_) row_ = fixedRows_;
  Changed(Prop::Rows);
}

void StringGrid::SetFixedRows(int n) {
  n = std::clamp(n, 0, RowCount() - 1);
  if (n == fixedRows_) return;
  fixedRows_ = n;
  if (row_ < fixedRows_) row_ = fixedRows_;
  Changed(Prop::Rows);
}

const std::string& StringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= colCount_ || row < 0 || row >= RowCount()) return kEmpty;
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || col >= colCount_ || row < 0) return;
  if (row >= RowCount()) SetRowCount(row + 1);
  auto& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (cell == text) return;
  cell = text;
  Changed(Prop::Cell, row, col);
}

void StringGrid::SetAll(std::vector<std::vector<std::string>> rows, int fixedRows, int selectedRow,
                        std::vector<RowKey> keys) {
  if (rows.empty()) rows.emplace_back();
  for (auto& r : rows) r.resize(static_cast<size_t>(colCount_));
  cells_ = std::move(rows);
  keys_ = std::move(keys);
  if (!keys_.empty()) keys_.resize(cells_.size());
  fixedRows_ = std::clamp(fixedRows, 0, RowCount() - 1);
  row_ = std::clamp(selectedRow, fixedRows_, RowCount() - 1);
  Changed(Prop::Rows);
}

void StringGrid::SetRow(int r) {
  r = std::clamp(r, fixedRows_, RowCount() - 1);
  if (r == row_) return;
  row_ = r;
  Changed(Prop::Selection);
}

void StringGrid::SetColWidth(int col, int w) {
  if (col < 0 || col >= colCount_) return;
  colWidths_[static_cast<size_t>(col)] = w;
  Changed(Prop::ColWidths);
}

RowKey StringGrid::KeyOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(keys_.size())) return {};
  return keys_[static_cast<size_t>(row)];
}

void StringGrid::UserSelectedKey(RowKey key) {
  for (int r = fixedRows_; r < static_cast<int>(keys_.size()); ++r)
    if (keys_[static_cast<size_t>(r)] == key) row_ = r;
  if (OnUserSelect) OnUserSelect(key);
}

void StringGrid::UserSelected(int row) {
  if (row < fixedRows_ || row >= RowCount()) return;
  row_ = row;
  if (OnUserSelect) OnUserSelect(KeyOfRow(row));
}

void StringGrid::DblClick() { Raise(OnDblClick); }

}  // namespace nimbul::ui
