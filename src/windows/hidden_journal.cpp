#include "windows/hidden_journal.h"

#include <exception>

#include "base/decimal.h"
#include "settings/settings.h"

namespace nimbul::windows {

namespace {

// More entries than any desktop holds windows: a journal claiming more is not read on.
constexpr int kMostEntries = 10000;

// Unsigned, as the journal writes them: at most ten digits, within 32 bits.
bool ParseNumber(const std::string& text, std::uint32_t* out) {
  const auto v = base::ParseDecimal(text);
  if (!v || text.size() > 10 || *v > 0xFFFFFFFF) return false;
  *out = static_cast<std::uint32_t>(*v);
  return true;
}

}  // namespace

bool ParseJournalRecord(const std::string& text, JournalRecord* out) {
  const auto a = text.find('\t');
  if (a == std::string::npos) return false;
  const auto b = text.find('\t', a + 1);
  if (b == std::string::npos) return false;
  const auto c = text.find('\t', b + 1);
  if (c == std::string::npos) return false;
  std::uint32_t handle = 0, process = 0;
  if (!ParseNumber(text.substr(0, a), &handle) || handle == 0) return false;
  if (!ParseNumber(text.substr(a + 1, b - a - 1), &process)) return false;
  out->window = platform::Hwnd{handle};
  out->processId = process;
  out->className = text.substr(b + 1, c - b - 1);
  out->title = text.substr(c + 1);
  return !out->className.empty();
}

std::string HiddenJournal::Record(const WindowEntry& e) {
  const platform::Hwnd h = e.window;
  return std::to_string(platform::Raw(h)) + "\t" + std::to_string(wm_.GetWindowProcessId(h)) + "\t" +
         wm_.GetClassNameA(h) + "\t" + e.name;
}

void HiddenJournal::Sync(const std::vector<WindowEntry>& hidden) {
  if (known_ && hidden == entries_) return;
  try {
    settings::SettingsAccessor s(registry_);
    if (!s.OpenVolatileKey(settings::kHiddenJournalKey)) return;
    std::vector<std::string> records;
    for (const WindowEntry& e : hidden) {
      // Unchanged entries keep their record: the window's process and class
      // are read once, when the entry is first written.
      const std::size_t i = records.size();
      const bool same = known_ && i < entries_.size() && entries_[i] == e;
      records.push_back(same ? written_[i] : Record(e));
    }
    for (std::size_t i = 0; i < records.size(); ++i)
      if (!known_ || i >= written_.size() || written_[i] != records[i]) s.SetTextValue(std::to_string(i), records[i]);
    const std::size_t stale = known_ ? written_.size() : static_cast<std::size_t>(kMostEntries);
    for (std::size_t i = records.size(); i < stale; ++i)
      if (!s.RemoveValue(std::to_string(i)) && !known_) break;
    written_ = std::move(records);
    entries_ = hidden;
    known_ = true;
  } catch (const std::exception&) {
    // A journal that cannot be written must never stop hiding or showing;
    // the next change writes it whole again.
    known_ = false;
  }
}

std::vector<WindowEntry> HiddenJournal::Recover() {
  std::vector<WindowEntry> out;
  try {
    settings::SettingsAccessor s(registry_);
    if (!s.OpenVolatileKey(settings::kHiddenJournalKey)) return out;
    for (int i = 0; i < kMostEntries; ++i) {
      const std::string name = std::to_string(i);
      if (!s.HasValue(name)) break;
      std::string text;
      try {
        text = s.GetTextValue(name);
      } catch (const std::exception&) {
        continue;  // a value of another type proves nothing
      }
      JournalRecord r;
      if (!ParseJournalRecord(text, &r)) continue;
      // A handle the system has given to another window must never be taken for the hidden one.
      if (!wm_.IsWindow(r.window) || wm_.IsWindowVisible(r.window)) continue;
      if (wm_.GetWindowProcessId(r.window) != r.processId || wm_.GetClassNameA(r.window) != r.className) continue;
      bool listed = false;
      for (const WindowEntry& e : out) listed = listed || e.window == r.window;
      if (!listed) out.push_back({r.window, wm_.GetWindowTextA(r.window)});
    }
  } catch (const std::exception&) {
    // What was proven so far is kept.
  }
  return out;
}

}  // namespace nimbul::windows
