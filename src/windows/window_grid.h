// The presentation shared by both window lists: a header row "Name" /
// "Handle" above the entries, or one blank row and no header when empty.
#pragma once
#include <vector>

#include "ui/string_grid.h"
#include "windows/window_entry.h"

namespace nimbul::windows {

constexpr int kNameCol = 0;
constexpr int kHandleCol = 1;

// One blank row, header texts cleared.
void ShowEmpty(ui::StringGrid& grid);
int EntryCount(const ui::StringGrid& grid);
// Positions count from 1 (the first entry, in the row under the header).
WindowEntry EntryAt(const ui::StringGrid& grid, int position);
std::vector<WindowEntry> Entries(const ui::StringGrid& grid);
// Replaces every entry; selects the first and scrolls to the top.
void SetEntries(ui::StringGrid& grid, const std::vector<WindowEntry>& entries);
// Adds after the last entry; the header row becomes visible.
void AppendEntry(ui::StringGrid& grid, const WindowEntry& entry);
// Later entries move up by one; an emptied list returns to its empty presentation.
void RemoveEntry(ui::StringGrid& grid, int position);
void SetName(ui::StringGrid& grid, int position, const std::string& name);
// The entry at the selected row, or an empty entry.
WindowEntry SelectedEntry(const ui::StringGrid& grid);
void SelectEntry(ui::StringGrid& grid, int position);
bool ContainsEntry(const ui::StringGrid& grid, const WindowEntry& entry);
bool ContainsHandle(const ui::StringGrid& grid, const std::string& handle);
// Makes sure the header row shows above the entries.
void ShowHeader(ui::StringGrid& grid);

}  // namespace nimbul::windows
