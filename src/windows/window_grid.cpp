#include "windows/window_grid.h"

namespace nimbul::windows {

namespace {
const char* const kHeaderName = "Name";
const char* const kHeaderHandle = "Handle";
}  // namespace

void ShowEmpty(ui::StringGrid& grid) { grid.SetAll({{"", ""}}, 0, 0); }

int EntryCount(const ui::StringGrid& grid) { return grid.FixedRows() == 0 ? 0 : grid.RowCount() - 1; }

WindowEntry EntryAt(const ui::StringGrid& grid, int position) {
  if (position < 1 || position > EntryCount(grid)) return {};
  return {grid.Cell(kNameCol, position), grid.Cell(kHandleCol, position)};
}

std::vector<WindowEntry> Entries(const ui::StringGrid& grid) {
  std::vector<WindowEntry> out;
  for (int p = 1; p <= EntryCount(grid); ++p) out.push_back(EntryAt(grid, p));
  return out;
}

void SetEntries(ui::StringGrid& grid, const std::vector<WindowEntry>& entries) {
  if (entries.empty()) {
    ShowEmpty(grid);
    return;
  }
  std::vector<std::vector<std::string>> rows;
  rows.reserve(entries.size() + 1);
  rows.push_back({kHeaderName, kHeaderHandle});
  for (const WindowEntry& e : entries) rows.push_back({e.name, e.handle});
  grid.SetAll(std::move(rows), 1, 1);
  grid.SetTopRow(1);
}

void AppendEntry(ui::StringGrid& grid, const WindowEntry& entry) {
  if (EntryCount(grid) == 0) {
    grid.SetAll({{kHeaderName, kHeaderHandle}, {entry.name, entry.handle}}, 1, 1);
    return;
  }
  int row = grid.RowCount();
  grid.SetRowCount(row + 1);
  grid.SetCell(kNameCol, row, entry.name);
  grid.SetCell(kHandleCol, row, entry.handle);
}

void RemoveEntry(ui::StringGrid& grid, int position) {
  int count = EntryCount(grid);
  if (position < 1 || position > count) return;
  if (count == 1) {
    ShowEmpty(grid);
    return;
  }
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(count));
  rows.push_back({kHeaderName, kHeaderHandle});
  for (int p = 1; p <= count; ++p)
    if (p != position) rows.push_back({grid.Cell(kNameCol, p), grid.Cell(kHandleCol, p)});
  // The selection keeps its row; past the end it falls on the last entry.
  grid.SetAll(std::move(rows), 1, grid.Row());
}

void SetName(ui::StringGrid& grid, int position, const std::string& name) {
  if (position < 1 || position > EntryCount(grid)) return;
  grid.SetCell(kNameCol, position, name);
}

WindowEntry SelectedEntry(const ui::StringGrid& grid) {
  return {grid.Cell(kNameCol, grid.Row()), grid.Cell(kHandleCol, grid.Row())};
}

void SelectEntry(ui::StringGrid& grid, int position) {
  if (position >= 1 && position <= EntryCount(grid)) grid.SetRow(position);
}

bool ContainsEntry(const ui::StringGrid& grid, const WindowEntry& entry) {
  for (int p = 1; p <= EntryCount(grid); ++p)
    if (grid.Cell(kNameCol, p) == entry.name && grid.Cell(kHandleCol, p) == entry.handle) return true;
  return false;
}

bool ContainsHandle(const ui::StringGrid& grid, const std::string& handle) {
  for (int p = 1; p <= EntryCount(grid); ++p)
    if (grid.Cell(kHandleCol, p) == handle) return true;
  return false;
}

void ShowHeader(ui::StringGrid& grid) {
  if (EntryCount(grid) == 0) return;
  grid.SetCell(kNameCol, 0, kHeaderName);
  grid.SetCell(kHandleCol, 0, kHeaderHandle);
}

}  // namespace nimbul::windows
