// A record of the hidden list that outlives the program but not the logon:
// after a kill, a crash or an update's plain quit, the next start lists the
// windows that are still hidden, so none is lost out of the user's reach.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/window_manager.h"
#include "windows/window_list.h"

namespace nimbul::windows {

class HiddenJournal {
 public:
  HiddenJournal(platform::Registry& registry, platform::WindowManager& wm) : registry_(registry), wm_(wm) {}

  // Mirrors the hidden list, writing only the entries that changed.
  void Sync(const std::vector<WindowEntry>& hidden);
  // The journal's windows that are still the same hidden windows: the same
  // handle, process and class, and not visible. Anything unproven is dropped.
  std::vector<WindowEntry> Recover();

 private:
  // One entry as stored: handle, process id, class name and title, separated by tabs.
  std::string Record(const WindowEntry& e);

  platform::Registry& registry_;
  platform::WindowManager& wm_;
  std::vector<WindowEntry> entries_;  // the list as last written
  std::vector<std::string> written_;  // its records
  bool known_ = false;                // written_ holds what the key holds
};

// The parts of a stored entry; false for anything malformed.
struct JournalRecord {
  platform::Hwnd window{};
  std::uint32_t processId = 0;
  std::string className;
  std::string title;
};
bool ParseJournalRecord(const std::string& text, JournalRecord* out);

}  // namespace nimbul::windows
