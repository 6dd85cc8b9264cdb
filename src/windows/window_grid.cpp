#include "windows/window_grid.h"

#include <string>
#include <vector>

namespace nimbul::windows {

namespace {

const char* const kHeaderName = "Name";
const char* const kHeaderHandle = "Handle";

// The grid's row of the chosen entry; a choice that is gone keeps the grid's
// row, inside the entries.
int ChosenRow(const WindowList& list, const ui::StringGrid& grid) {
  const int p = list.PositionOf(list.Chosen());
  if (p > 0) return p;
  return grid.Row() < 1 ? 1 : (grid.Row() > list.Count() ? list.Count() : grid.Row());
}

bool ShowsSameEntries(const WindowList& list, const ui::StringGrid& grid) {
  if (grid.FixedRows() != 1 || grid.RowCount() != list.Count() + 1) return false;
  for (int p = 1; p <= list.Count(); ++p)
    if (grid.KeyOfRow(p) != list.KeyAt(p)) return false;
  return true;
}

}  // namespace

void Render(const WindowList& list, ui::StringGrid& grid) {
  if (list.Empty()) {
    const bool blank = grid.FixedRows() == 0 && grid.RowCount() == 1 && grid.Cell(kNameCol, 0).empty() &&
                       grid.Cell(kHandleCol, 0).empty();
    if (!blank) grid.SetAll({{"", ""}}, 0, 0);
    return;
  }
  if (ShowsSameEntries(list, grid)) {
    grid.SetCell(kNameCol, 0, kHeaderName);
    grid.SetCell(kHandleCol, 0, kHeaderHandle);
    for (int p = 1; p <= list.Count(); ++p) {
      grid.SetCell(kNameCol, p, list.At(p).name);
      grid.SetCell(kHandleCol, p, HandleText(list.At(p)));
    }
    grid.SetRow(ChosenRow(list, grid));
    return;
  }
  std::vector<std::vector<std::string>> rows;
  std::vector<ui::RowKey> keys;
  rows.reserve(static_cast<size_t>(list.Count()) + 1);
  keys.reserve(rows.capacity());
  rows.push_back({kHeaderName, kHeaderHandle});
  keys.push_back({});
  for (int p = 1; p <= list.Count(); ++p) {
    rows.push_back({list.At(p).name, HandleText(list.At(p))});
    keys.push_back(list.KeyAt(p));
  }
  const int row = ChosenRow(list, grid);
  grid.SetAll(std::move(rows), 1, row, std::move(keys));
}

}  // namespace nimbul::windows
