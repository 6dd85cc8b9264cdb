// The model of either window list: its entries in order (a window and the
// title it had), and the entry the user chose. The grids only draw it; every
// hide and show acts on an entry found here, never on a row of a grid, so a
// rebuild that reorders the grid can never redirect a click.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"
#include "ui/row_key.h"

namespace nimbul::windows {

struct WindowEntry {
  platform::Hwnd window{};
  std::string name;  // the title, at most 255 bytes
  // Written on screen as a signed number: the tray's hide writes handles that
  // way, the rebuild and the hotkey as unsigned ones.
  bool signedText = false;
};

inline bool operator==(const WindowEntry& a, const WindowEntry& b) {
  return a.window == b.window && a.name == b.name && a.signedText == b.signedText;
}

// The handle as the lists show it, in decimal.
std::string HandleText(const WindowEntry& e);

class WindowList {
 public:
  using Key = ui::RowKey;

  // A list that holds each window once (the visible list) keys its entries by
  // their windows: a row that a view still shows from an older rebuild then
  // names its window even after it left the list and came back.
  explicit WindowList(bool keyedByWindow = false) : keyedByWindow_(keyedByWindow) {}

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }
  // Positions count from 1; outside the list they give an empty entry.
  const WindowEntry& At(int position) const;
  Key KeyAt(int position) const;
  // 0 when no entry has the key any more.
  int PositionOf(Key key) const;
  // The entry with the key, or null once it is gone.
  const WindowEntry* Find(Key key) const;
  const std::vector<WindowEntry>& Entries() const { return entries_; }
  bool Contains(const WindowEntry& e) const;
  bool ContainsWindow(platform::Hwnd w) const;

  // Every entry anew. An entry for a window that was listed before keeps its
  // key, so a view still showing the old rows names the same window. The
  // first entry is chosen, unless `keepChoice` and the chosen window is still listed.
  void Replace(std::vector<WindowEntry> entries, bool keepChoice = false);
  // After the last entry; an empty list chooses it.
  Key Append(WindowEntry e);
  // The later entries move up; when the chosen entry goes, the one that moves
  // into its place is chosen, or the last one past the end.
  void Remove(int position);
  void SetName(int position, const std::string& name);

  // The chosen entry's key (it may name an entry that is gone).
  Key Chosen() const { return chosen_; }
  const WindowEntry* ChosenEntry() const { return Find(chosen_); }
  void Choose(Key key) { chosen_ = key; }
  void ChoosePosition(int position) { chosen_ = KeyAt(position); }

 private:
  std::vector<WindowEntry> entries_;
  std::vector<Key> keys_;
  bool keyedByWindow_;
  std::uint32_t next_ = 1;
  Key chosen_{};
};

}  // namespace nimbul::windows
